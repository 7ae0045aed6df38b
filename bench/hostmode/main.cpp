// Host-mode figures: request/response cycles per second and CPU time per cycle, in-process
// and over loopback TCP, and the program's CPU use while idle-polling 10 channels against the
// simulator, paced as the socket transport paces it.

#include "FakeSeams.h"
#include "TempProgramDir.h"
#include "core/HostModeControl.h"
#include "core/Kernel.h"
#include "core/SystemClock.h"
#include "tncsim/Tnc.h"
#include "transport/Tcomm_port.h"
#include "transport/Twa8ded.h"
#include "transport/tporttisocket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>
#include <ctime>

using namespace krx;

namespace {

SystemClock systemClock;
test::ScriptedPrompter prompter;
test::RecordingSoundPlayer sound;
test::RecordingShell shell;

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct Figures {
    long cycles = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

void print(const char *what, const Figures &figures) {
    std::printf("%-34s %9.0f cycles/s  %7.2f us CPU/cycle  (%ld cycles in %.2f s)\n", what,
                double(figures.cycles) / figures.wallSeconds,
                1e6 * figures.cpuSeconds / double(figures.cycles), figures.cycles,
                figures.wallSeconds);
}

// A poll goes out, the answer is assembled and the next poll chosen: the link's whole cycle.
template <typename Exchange> Figures measureCycles(Twa8ded &link, long cycles, Exchange exchange) {
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    int code = 0;
    for (long i = 0; i < cycles; ++i) {
        const Twa8ded::Poll poll = link.NextPoll(code);
        link.setExpectedKind(poll.expectedKind());
        HostResponse response = link.AddResponseBytes(exchange(poll.frame));
        for (int more = 0; more < 100 && !response.isComplete() && !response.isRejected(); ++more)
            response = link.AddResponseBytes(exchange({}));
        code = response.code;
    }
    return {cycles, wall.nsecsElapsed() / 1e9, cpuSeconds() - cpuBefore};
}

Twa8ded linkWithChannels(int count) {
    Twa8ded link;
    link.set_kanavien_maara(count);
    return link;
}

Figures inProcess(long cycles) {
    SystemClock clock;
    tncsim::Tnc tnc(clock);
    tnc.write("\x18\x1bjhost1\r");
    tnc.takeOutput();
    Twa8ded link = linkWithChannels(10);
    return measureCycles(link, cycles, [&tnc](const QByteArray &frame) {
        tnc.write(frame);
        return tnc.takeOutput();
    });
}

// Starts krx-tncsim with the given line option; returns the first line it prints (its
// address or its pty path), or nothing.
QByteArray startSimulator(QProcess &simulator, const QStringList &line) {
    simulator.start(QStringLiteral(KRX_TNCSIM_PROGRAM),
                    line + QStringList{QStringLiteral("--station"), QStringLiteral("echo:QQ7ECH")});
    if (!simulator.waitForStarted(5000) || !simulator.waitForReadyRead(5000))
        return {};
    return simulator.readLine().trimmed();
}

Figures overTcp(quint16 port, long cycles) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket.write("\x18\x1bjhost1\r");
    for (int i = 0; i < 50 && !socket.readAll().contains("JHOST1"); ++i)
        socket.waitForReadyRead(100);
    Twa8ded link = linkWithChannels(10);
    return measureCycles(link, cycles, [&socket](const QByteArray &frame) {
        if (!frame.isEmpty())
            socket.write(frame);
        socket.waitForReadyRead(1000);
        return socket.readAll();
    });
}

// The whole program engine, polling 10 idle channels through the transport the factory makes.
void idlePolling(const char *what, const Kernel::TransportFactory &factory, int seconds) {
    test::TempProgramDir home;
    home.write("KRX.INI", "[portti asetus]\r\nEMU=6\r\n[krx asetus]\r\noma kutsu=QQ1ZZZ\r\n"
                          "kanavien maara=10\r\npoissa aika=0\r\nlista aika=0\r\nmessu aika=0\r\n"
                          "[laatikko]\r\noma BBS=QQ2BBS\r\n[TNC INIT]\r\nx0=MUISC\r\n");
    Kernel kernel(ProgramDirectory(home.path()), QStringLiteral("krx"),
                  Services{systemClock, prompter, sound, shell});
    kernel.setTransportFactory(factory);
    kernel.start();
    kernel.startHostMode();
    HostModeControl &hostMode = kernel.hostMode();
    QElapsedTimer waited;
    waited.start();
    while ((hostMode.isInitialising() || !hostMode.lineWatchdog().isActive()) &&
           waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!hostMode.lineWatchdog().isActive()) {
        std::printf("%s: the simulator did not answer\n", what);
        return;
    }
    long responses = 0;
    QObject::connect(hostMode.transport(), &Transport::tulleet_merkit,
                     [&responses] { ++responses; });
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    QTimer::singleShot(seconds * 1000, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double elapsed = wall.nsecsElapsed() / 1e9;
    std::printf("%-34s %9.1f responses/s  CPU %.3f %% of one core (%.3f s CPU in %.1f s)\n", what,
                double(responses) / elapsed, 100.0 * cpu / elapsed, cpu, elapsed);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    print("in-process (link + simulator)", inProcess(200000));

    QProcess tcpSimulator;
    const QByteArray address = startSimulator(tcpSimulator, {"--tcp", "0"}); // "127.0.0.1:PORT"
    const quint16 port = quint16(address.mid(address.lastIndexOf(':') + 1).toUInt());
    if (port == 0) {
        std::printf("krx-tncsim did not start\n");
        return 1;
    }
    print("loopback TCP (unpaced)", overTcp(port, 20000));
    idlePolling(
        "idle, 10 channels, socket (20 ms)",
        [port](const Settings &settings) {
            auto socket = std::make_unique<tporttisocket>(systemClock, prompter);
            socket->setLanguage(settings.language);
            socket->setServerPort(port);
            return std::unique_ptr<Transport>(std::move(socket));
        },
        idleSeconds);
    tcpSimulator.terminate();
    tcpSimulator.waitForFinished(3000);

    QProcess ptySimulator;
    const QString pty = QString::fromLocal8Bit(startSimulator(ptySimulator, {"--pty"}));
    idlePolling(
        "idle, 10 channels, serial (18 ms)",
        [&pty](const Settings &) {
            auto port = std::make_unique<Tcomm_port>(systemClock, prompter);
            port->setDevice(pty);
            return std::unique_ptr<Transport>(std::move(port));
        },
        idleSeconds);
    ptySimulator.terminate();
    ptySimulator.waitForFinished(3000);
    return 0;
}
