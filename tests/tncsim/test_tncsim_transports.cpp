// The ways the program reaches the simulator: in process (tests in simulated time), over
// TCP on 127.0.0.1 and through a pseudo-terminal.

#include "FakeClock.h"
#include "HostLine.h"
#include "core/SystemClock.h"
#include "tncsim/EchoStation.h"
#include "tncsim/InProcessTransport.h"
#include "tncsim/PtyServer.h"
#include "tncsim/TncServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

using namespace krx::tncsim;
using krx::SystemClock;
using krx::test::commandFrame;
using krx::test::dataAnswer;
using krx::test::FakeClock;
using krx::test::informationFrame;
using krx::test::okAnswer;
using krx::test::textAnswer;

namespace {

const QByteArray kEnterHostMode("\x18\x1bjhost1\r");
const QByteArray kHostModeConfirmed("* JHOST1\r\n");
constexpr int kWaitMilliseconds = 5000;

// Reads from the socket until `count` bytes have come or the wait is over. The server runs
// in this thread's event loop, so waiting means processing events.
QByteArray readSocket(QTcpSocket &socket, int count) {
    QByteArray data;
    QElapsedTimer waited;
    waited.start();
    while (data.size() < count && waited.elapsed() < kWaitMilliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        data += socket.readAll();
    }
    return data;
}

QByteArray exchange(QTcpSocket &socket, const QByteArray &request, int answerSize) {
    socket.write(request);
    socket.flush();
    return readSocket(socket, answerSize);
}

QByteArray readPty(int fd, int count) {
    QByteArray data;
    QElapsedTimer waited;
    waited.start();
    while (data.size() < count && waited.elapsed() < kWaitMilliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        char buffer[512];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0)
            data.append(buffer, got);
        else
            QThread::msleep(5);
    }
    return data;
}

QByteArray exchangePty(int fd, const QByteArray &request, int answerSize) {
    if (::write(fd, request.constData(), request.size()) != request.size())
        return "write failed";
    return readPty(fd, answerSize);
}

void addEchoStation(Tnc &tnc) {
    tnc.addStation(std::make_unique<EchoStation>("QQ7ECH"));
}

} // namespace

class TncTransportsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Tnc *>(); }

    void inProcessAnswersOnTheNextTick() {
        FakeClock clock;
        Tnc tnc(clock);
        InProcessTransport transport(tnc, clock);
        transport.valiaika = 20;
        QSignalSpy arrived(&transport, &InProcessTransport::tulleet_merkit);
        transport.SetActive(true);
        QVERIFY(transport.isActive());

        transport.SendFrame(kEnterHostMode);
        QCOMPARE(arrived.count(), 0);
        QCOMPARE(transport.TakeResponse(), QByteArray());
        clock.advance(19);
        QCOMPARE(arrived.count(), 0);
        clock.advance(1);
        QCOMPARE(arrived.count(), 1);
        QCOMPARE(transport.TakeResponse(), kHostModeConfirmed);
        QCOMPARE(transport.TakeResponse(), QByteArray());

        transport.SendFrame(commandFrame(0, "T"));
        clock.advance(20);
        QCOMPARE(arrived.count(), 2);
        clock.advance(100); // nothing new: no event
        QCOMPARE(arrived.count(), 2);
        QCOMPARE(transport.TakeResponse(), textAnswer(0, 1, "30"));
        QCOMPARE(tnc.violationCount(), 0);
    }

    void inProcessCatchesAFrameSentBeforeTheAnswerCame() {
        FakeClock clock;
        Tnc tnc(clock);
        InProcessTransport transport(tnc, clock);
        transport.SetActive(true);
        transport.SendFrame(kEnterHostMode);
        clock.advance(transport.valiaika);
        transport.TakeResponse();
        transport.SendFrame(commandFrame(0, "G"));
        transport.SendFrame(commandFrame(0, "G"));
        QCOMPARE(tnc.violationCount(), 1);
        QCOMPARE(tnc.violations().front().kind, Violation::Kind::RequestBeforeAnswer);
    }

    void inProcessDropsFramesWhileClosed() {
        FakeClock clock;
        Tnc tnc(clock);
        InProcessTransport transport(tnc, clock);
        transport.SendFrame(kEnterHostMode);
        clock.advance(1000);
        QVERIFY(!tnc.isHostMode());
        transport.SetActive(true);
        transport.SetActive(false);
        QVERIFY(!transport.isActive());
        transport.SendFrame(kEnterHostMode);
        QVERIFY(!tnc.isHostMode());
    }

    void tcpServesAFreshTncPerConnection() {
        SystemClock clock;
        TncServer server(clock, addEchoStation);
        QVERIFY2(server.listen(0), qPrintable(server.errorString()));
        QSignalSpy started(&server, &TncServer::sessionStarted);

        QTcpSocket first;
        first.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(first.waitForConnected(kWaitMilliseconds));
        QCOMPARE(exchange(first, kEnterHostMode, kHostModeConfirmed.size()), kHostModeConfirmed);
        QCOMPARE(exchange(first, commandFrame(0, "I QQ1ZZZ"), 2), okAnswer(0));
        QCOMPARE(exchange(first, commandFrame(1, "C QQ7ECH"), 2), okAnswer(1));
        const QByteArray connected = textAnswer(1, 3, "(1) CONNECTED to QQ7ECH");
        QCOMPARE(exchange(first, commandFrame(1, "G"), connected.size()), connected);
        QCOMPARE(exchange(first, informationFrame(1, "ping\r"), 2), okAnswer(1));
        QCOMPARE(exchange(first, commandFrame(1, "G"), 8), dataAnswer(1, 7, "ping\r"));

        QTcpSocket second;
        second.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(second.waitForConnected(kWaitMilliseconds));
        QCOMPARE(exchange(second, kEnterHostMode, kHostModeConfirmed.size()), kHostModeConfirmed);
        const QByteArray noCall = textAnswer(0, 1, "NOCALL");
        QCOMPARE(exchange(second, commandFrame(0, "I"), noCall.size()), noCall);
        QCOMPARE(started.count(), 2);
        QCOMPARE(server.sessions().size(), 2);

        first.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(server.sessions().size(), 1, kWaitMilliseconds);
        QCOMPARE(server.violationCount(), 0);
    }

    void tcpCountsViolationsOfEveryConnection() {
        SystemClock clock;
        TncServer server(clock, {});
        QVERIFY(server.listen(0));
        QSignalSpy seen(&server, &TncServer::violationSeen);
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(socket.waitForConnected(kWaitMilliseconds));
        exchange(socket, kEnterHostMode, kHostModeConfirmed.size());
        // Both frames in one write: the second comes before the first was answered.
        QCOMPARE(exchange(socket, commandFrame(0, "G") + commandFrame(0, "G"), 4),
                 okAnswer(0) + okAnswer(0));
        QCOMPARE(server.violationCount(), 1);
        QCOMPARE(seen.count(), 1);
        socket.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(server.sessions().size(), 0, kWaitMilliseconds);
        QCOMPARE(server.violationCount(), 1);
    }

    void tcpListensOnLoopbackOnly() {
        SystemClock clock;
        TncServer server(clock, {});
        QVERIFY(server.listen(0));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(socket.waitForConnected(kWaitMilliseconds));
        QCOMPARE(socket.peerAddress(), QHostAddress(QHostAddress::LocalHost));
        TncServer second(clock, {});
        QVERIFY(!second.listen(server.port())); // the port is taken on 127.0.0.1
    }

    void ptyCarriesHostModeUnchanged() {
        SystemClock clock;
        Tnc tnc(clock);
        addEchoStation(tnc);
        PtyServer pty(tnc);
        QVERIFY2(pty.open(), qPrintable(pty.errorString()));
        QVERIFY(pty.slavePath().startsWith("/dev/"));
        const int fd =
            ::open(pty.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        QCOMPARE(exchangePty(fd, kEnterHostMode, kHostModeConfirmed.size()), kHostModeConfirmed);
        QCOMPARE(exchangePty(fd, commandFrame(0, "I QQ1ZZZ"), 2), okAnswer(0));
        QCOMPARE(exchangePty(fd, commandFrame(1, "C QQ7ECH"), 2), okAnswer(1));
        const QByteArray connected = textAnswer(1, 3, "(1) CONNECTED to QQ7ECH");
        QCOMPARE(exchangePty(fd, commandFrame(1, "G"), connected.size()), connected);
        // CR, LF and every other byte pass untouched both ways.
        const QByteArray line("a\nb\x03\x11\x13\x7f\r", 8);
        QCOMPARE(exchangePty(fd, informationFrame(1, line), 2), okAnswer(1));
        QCOMPARE(exchangePty(fd, commandFrame(1, "G"), 3 + line.size()), dataAnswer(1, 7, line));
        ::close(fd);

        // The TNC stays in host mode while the slave is closed, as a real one does.
        const int again =
            ::open(pty.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(again >= 0);
        QCOMPARE(exchangePty(again, commandFrame(1, "c"), 9), textAnswer(1, 1, "QQ7ECH"));
        ::close(again);
        QCOMPARE(tnc.violationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TncTransportsTest)
#include "test_tncsim_transports.moc"
