// The krx-tncsim program: what it prints, what it serves, how it ends.

#include "HostLine.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QtTest>

using krx::test::commandFrame;
using krx::test::okAnswer;
using krx::test::textAnswer;

namespace {

constexpr int kWaitMilliseconds = 10000;

QByteArray readSocket(QTcpSocket &socket, int count) {
    QByteArray data;
    QElapsedTimer waited;
    waited.start();
    while (data.size() < count && waited.elapsed() < kWaitMilliseconds) {
        if (socket.bytesAvailable() == 0)
            socket.waitForReadyRead(100);
        data += socket.readAll();
    }
    return data;
}

QByteArray exchange(QTcpSocket &socket, const QByteArray &request, int answerSize) {
    socket.write(request);
    socket.flush();
    return readSocket(socket, answerSize);
}

QByteArray readLine(QProcess &process) {
    QElapsedTimer waited;
    waited.start();
    while (!process.canReadLine() && waited.elapsed() < kWaitMilliseconds)
        process.waitForReadyRead(100);
    return process.readLine().trimmed();
}

} // namespace

class TncProgramTest : public QObject {
    Q_OBJECT

private slots:
    void servesAndReportsViolationsAtTheEnd() {
        QProcess program;
        program.start(KRX_TNCSIM_PROGRAM, {"--tcp", "0", "--pty", "--station", "echo:QQ7ECH",
                                           "--connect-delay", "0", "--reject", "X 1"});
        QVERIFY(program.waitForStarted(kWaitMilliseconds));
        const QByteArray address = readLine(program);
        QVERIFY2(address.startsWith("127.0.0.1:"), address.constData());
        const QByteArray ptyPath = readLine(program);
        QVERIFY2(QFileInfo::exists(QString::fromLocal8Bit(ptyPath)), ptyPath.constData());

        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, address.mid(10).toUShort());
        QVERIFY(socket.waitForConnected(kWaitMilliseconds));
        QCOMPARE(exchange(socket, "\x18\x1bjhost1\r", 10), QByteArray("* JHOST1\r\n"));
        const QByteArray rejected = textAnswer(0, 2, "INVALID PARAMETER");
        QCOMPARE(exchange(socket, commandFrame(0, "X 1"), rejected.size()), rejected);
        QCOMPARE(exchange(socket, commandFrame(0, "I QQ1ZZZ"), 2), okAnswer(0));
        QCOMPARE(exchange(socket, commandFrame(1, "C QQ7ECH"), 2), okAnswer(1));
        const QByteArray connected = textAnswer(1, 3, "(1) CONNECTED to QQ7ECH");
        QCOMPARE(exchange(socket, commandFrame(1, "G"), connected.size()), connected);
        QCOMPARE(exchange(socket, commandFrame(0, "G") + commandFrame(0, "G"), 4),
                 okAnswer(0) + okAnswer(0));
        socket.disconnectFromHost();

        program.terminate();
        QVERIFY(program.waitForFinished(kWaitMilliseconds));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput().trimmed(), QByteArray("violations: 1"));
        QVERIFY(program.readAllStandardError().contains("violation: "));
    }

    void refusesABadStationDescription_data() {
        QTest::addColumn<QString>("description");
        QTest::newRow("unknown kind") << "dx:QQ7ECH";
        QTest::newRow("bad call") << "echo:QQ7ECHOO";
        QTest::newRow("missing call") << "echo";
        QTest::newRow("caller with a word for seconds") << "caller:QQ5CAL:soon";
        QTest::newRow("echo with an argument") << "echo:QQ7ECH:5";
        QTest::newRow("dx cluster with no time between spots") << "dxcluster:QQ5DX:0";
    }
    void refusesABadStationDescription() {
        QFETCH(QString, description);
        QProcess program;
        program.start(KRX_TNCSIM_PROGRAM, {"--tcp", "0", "--station", description});
        QVERIFY(program.waitForFinished(kWaitMilliseconds));
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("krx-tncsim: "));
    }
};

QTEST_GUILESS_MAIN(TncProgramTest)
#include "test_tncsim_program.moc"
