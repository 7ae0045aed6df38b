#include "FakeClock.h"
#include "FakeSeams.h"
#include "RecordingEndpoints.h"
#include "TempProgramDir.h"
#include "core/HostModeControl.h"
#include "core/Kernel.h"
#include "core/SystemClock.h"
#include "tncsim/EchoStation.h"
#include "tncsim/InProcessTransport.h"
#include "tncsim/PtyServer.h"
#include "tncsim/Tnc.h"
#include "tncsim/TncServer.h"
#include "transport/Tcomm_port.h"
#include "transport/tporttisocket.h"

#include <QtTest>

using namespace krx;

namespace {

constexpr int waitMs = 10000;

QByteArray settingsFile(int transportCode) {
    return "[portti asetus]\r\nEMU=" + QByteArray::number(transportCode) +
           "\r\nsettings=19200,N,8,1\r\n[krx asetus]\r\noma kutsu=QQ1ZZZ\r\nkanavien maara=4\r\n"
           "poissa aika=0\r\n[laatikko]\r\noma BBS=QQ2BBS\r\n[TNC INIT]\r\nx0=MUISC\r\nx1=T 5\r\n";
}

void addEchoStation(tncsim::Tnc &tnc) {
    tnc.addStation(std::make_unique<tncsim::EchoStation>("QQ7ECH"));
}

// The real engine on a settings file, with the transport the test gives it.
class Session {
public:
    Session(Clock &clock, int transportCode, Kernel::TransportFactory factory) : clock_(clock) {
        home.write("KRX.INI", settingsFile(transportCode));
        home.write("virhe.wav", "RIFF");
        kernel = std::make_unique<Kernel>(ProgramDirectory(home.path()), QStringLiteral("krx"),
                                          Services{clock_, prompter, sound, shell});
        kernel->setTransportFactory(std::move(factory));
        kernel->start();
        HostModeControl &hostMode = kernel->hostMode();
        hostMode.setMonitorEndpoint(&monitor);
        for (int channel = 1; channel <= 4; ++channel)
            hostMode.setChannelEndpoint(channel, &channels[channel]);
        QObject::connect(&hostMode, &HostModeControl::monitorCaptionChanged,
                         [this](const QString &caption) { captions << caption; });
        QObject::connect(&hostMode, &HostModeControl::bufferReport,
                         [this](const QString &text) { bufferReports << text; });
        QObject::connect(kernel.get(), &Kernel::endOfRunReached, [this] { ended = true; });
        kernel->startHostMode();
    }

    HostModeControl &hostMode() { return kernel->hostMode(); }
    bool polling() { return !hostMode().isInitialising() && hostMode().lineWatchdog().isActive(); }

    test::TempProgramDir home;
    test::ScriptedPrompter prompter;
    test::RecordingSoundPlayer sound;
    test::RecordingShell shell;
    test::RecordingMonitor monitor;
    test::RecordingChannel channels[5];
    QStringList captions;
    QStringList bufferReports;
    bool ended = false;
    std::unique_ptr<Kernel> kernel;

private:
    Clock &clock_;
};

QStringList initCaptions(const QStringList &captions) {
    QStringList init;
    for (const QString &caption : captions)
        if (caption.startsWith("asetus"))
            init << caption;
    return init;
}

// Host mode, the init commands in order, polling, a connect on channel 2, text both ways and
// leaving host mode, against a simulated TNC reached through a real transport.
void runWholeSession(Session &session, const std::function<tncsim::Tnc *()> &tnc) {
    QTRY_VERIFY_WITH_TIMEOUT(session.polling(), waitMs);
    QCOMPARE(initCaptions(session.captions),
             (QStringList{"asetus 0 komento MUISC", "asetus 1 komento T 5",
                          "asetus 2 komento I QQ1ZZZ", "asetus 3 komento Y 4"}));
    QVERIFY(tnc());
    QCOMPARE(tnc()->ownCall(), QByteArray("QQ1ZZZ"));
    QCOMPARE(tnc()->channelCount(), 4);
    QTRY_VERIFY_WITH_TIMEOUT(!session.bufferReports.isEmpty(), waitMs); // a whole poll cycle
    QVERIFY(session.prompter.shown.empty());

    session.hostMode().SendCommand(2, "C QQ7ECH");
    QTRY_VERIFY_WITH_TIMEOUT(session.channels[2].sawShown("3:(2) CONNECTED to QQ7ECH\r"), waitMs);
    session.hostMode().SendText(2, "ping\r");
    QTRY_VERIFY_WITH_TIMEOUT(session.channels[2].sawShown("7:ping\r"), waitMs);
    QVERIFY(session.channels[2].sawShown("8:ping\r"));

    session.prompter.answerNext(MessageAnswer::No);
    QCOMPARE(session.kernel->decideClose(), Kernel::CloseDecision::WaitForHostMode);
    QTRY_VERIFY_WITH_TIMEOUT(session.ended, waitMs);
    QVERIFY(!tnc()->isHostMode());
    QCOMPARE(tnc()->violationCount(), 0);
}

} // namespace

class HostModeEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void socketTransportAgainstTheSimulatorOverTcp() {
        SystemClock clock;
        tncsim::TncServer server(clock, addEchoStation);
        QVERIFY2(server.listen(0), qPrintable(server.errorString()));
        test::ScriptedPrompter transportBoxes;
        Session session(clock, 6, [&](const Settings &) {
            auto socket = std::make_unique<tporttisocket>(clock, transportBoxes);
            socket->setServerPort(server.port());
            return socket;
        });
        runWholeSession(session, [&server] { return server.sessions().value(0); });
        QCOMPARE(server.violationCount(), 0);
        QVERIFY(transportBoxes.shown.empty());
    }

    void serialTransportAgainstTheSimulatorOnAPty() {
        SystemClock clock;
        tncsim::Tnc tnc(clock);
        addEchoStation(tnc);
        tncsim::PtyServer pty(tnc);
        QVERIFY2(pty.open(), qPrintable(pty.errorString()));
        test::ScriptedPrompter transportBoxes;
        Session session(clock, 0, [&](const Settings &settings) {
            auto port = std::make_unique<Tcomm_port>(clock, transportBoxes);
            port->setDevice(pty.slavePath());
            port->setBaudrate(settings.baudRate);
            return port;
        });
        runWholeSession(session, [&tnc] { return &tnc; });
        QVERIFY(transportBoxes.shown.empty());
    }

    void silentTncIsReportedAfterTwentySecondsAndALateAnswerResumesPolling() {
        test::FakeClock clock;
        tncsim::Tnc tnc(clock);
        tncsim::InProcessTransport *line = nullptr;
        Session session(clock, 6, [&](const Settings &) {
            auto transport = std::make_unique<tncsim::InProcessTransport>(tnc, clock);
            line = transport.get();
            return transport;
        });
        for (int step = 0; step < 200 && !session.polling(); ++step)
            clock.advance(20);
        QVERIFY(session.polling());

        line->setAnswering(false);
        clock.advance(40); // the request in flight now goes unanswered
        const qint64 silentSince = clock.elapsed();
        for (int step = 0; step < 2000 && session.sound.played.isEmpty(); ++step)
            clock.advance(20);
        QCOMPARE(session.sound.audible, QStringList{session.home.filePath("virhe.wav")});
        QVERIFY(clock.elapsed() - silentSince >= 19900 && clock.elapsed() - silentSince <= 20100);
        QVERIFY(session.hostMode().isLineLost());

        clock.advance(5000);
        line->setAnswering(true); // the answer comes late
        clock.advance(100);
        QVERIFY(!session.hostMode().isLineLost());
        QVERIFY(session.hostMode().lineWatchdog().isActive());
        const QStringList reportsBefore = session.bufferReports;
        clock.advance(2000);
        QVERIFY(session.bufferReports.size() > reportsBefore.size()); // polling goes on
        QCOMPARE(session.sound.played.size(), 1);
        QCOMPARE(tnc.violationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(HostModeEndToEndTest)
#include "test_hostmode_e2e.moc"
