// The simulated TNC is a strict peer: it notes every breach of host mode by the host.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/EchoStation.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::commandFrame;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::informationFrame;
using krx::test::okAnswer;
using krx::test::textAnswer;

using Kind = Violation::Kind;
Q_DECLARE_METATYPE(Kind)

namespace {

QList<Kind> kindsOf(const Tnc &tnc) {
    QList<Kind> kinds;
    for (const Violation &violation : tnc.violations())
        kinds << violation.kind;
    return kinds;
}

} // namespace

class TncViolationsTest : public QObject {
    Q_OBJECT

private slots:
    void aWellBehavedHostCausesNone() {
        FakeClock clock;
        Tnc tnc(clock);
        tnc.addStation(std::make_unique<EchoStation>("QQ7ECH"));
        HostLine host(tnc);
        host.enterHostMode();
        for (const QByteArray command : {"MUISC", "K 2", "I QQ1ZZZ", "Y 4", "@B", "L"})
            host.command(0, command);
        host.command(1, "C QQ7ECH");
        host.information(1, "text\r");
        host.information(0, "unproto\r");
        host.pollAll(0);
        host.pollAll(1);
        host.command(1, "D");
        host.send(commandFrame(0, "JHOST0"));
        QCOMPARE(tnc.violationCount(), 0);
    }

    void notesEachKindOfBreach_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("second request in the same chunk")
            << commandFrame(0, "G") + commandFrame(1, "G") << okAnswer(0) + okAnswer(1)
            << Kind::RequestBeforeAnswer;
        QTest::newRow("code byte other than 0 or 1")
            << QByteArray("\x00\x05\x00G", 4) << QByteArray() << Kind::MalformedFrame;
        QTest::newRow("command for a channel above the count")
            << commandFrame(5, "G") << textAnswer(5, 2, "INVALID CHANNEL NUMBER")
            << Kind::ChannelOutOfRange;
        QTest::newRow("information for a channel above the count")
            << informationFrame(200, "x") << textAnswer(200, 2, "INVALID CHANNEL NUMBER")
            << Kind::ChannelOutOfRange;
        QTest::newRow("information for a channel without a link")
            << informationFrame(2, "hello\r") << textAnswer(2, 2, "CHANNEL NOT CONNECTED")
            << Kind::DataOnUnconnectedChannel;
        QTest::newRow("host mode switch sent again in host mode")
            << QByteArray("\x18\x1bjhost1\r") << QByteArray() << Kind::MalformedFrame;
    }
    void notesEachKindOfBreach() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, answer);
        QFETCH(Kind, kind);
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        host.command(0, "Y 4");
        QCOMPARE(host.send(bytes), answer);
        QCOMPARE(kindsOf(tnc), QList<Kind>{kind});
    }

    void notesARequestSentBeforeTheAnswerWasRead() {
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        tnc.write(commandFrame(0, "G"));
        tnc.write(QByteArray("\x00\x01", 2)); // the next request starts, answer still unread
        tnc.write(QByteArray("\x00L", 2));
        QCOMPARE(tnc.takeOutput(), okAnswer(0) + textAnswer(0, 1, "0 0"));
        QCOMPARE(kindsOf(tnc), QList<Kind>{Kind::RequestBeforeAnswer});
    }

    void getsBackInStepAfterAMalformedFrame() {
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        QCOMPARE(host.send(QByteArray("\x01\x09\x02GGG\x01\x01\x00G", 10)), QByteArray());
        QCOMPARE(host.command(1, "G"), okAnswer(1));
        QCOMPARE(kindsOf(tnc), QList<Kind>{Kind::MalformedFrame});
    }

    void notesUnexpectedTerminalInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("other ESC command") << QByteArray("\x1bI QQ1ZZZ\r");
        QTest::newRow("host frames before host mode")
            << commandFrame(0, "G").repeated(100); // no CR: garbage once it gets long
    }
    void notesUnexpectedTerminalInput() {
        QFETCH(QByteArray, bytes);
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        QCOMPARE(host.send(bytes), QByteArray());
        QVERIFY(!kindsOf(tnc).isEmpty());
        for (Kind kind : kindsOf(tnc))
            QCOMPARE(kind, Kind::UnexpectedTerminalInput);
        QVERIFY(!tnc.isHostMode());
    }

    void reportsEachViolationAsItHappens() {
        FakeClock clock;
        Tnc tnc(clock);
        QStringList reported;
        tnc.setViolationHandler([&](const Violation &violation) { reported << violation.text; });
        HostLine host(tnc);
        host.enterHostMode();
        host.send(informationFrame(3, "x"));
        host.send(commandFrame(11, "G"));
        QCOMPARE(reported.size(), 2);
        QVERIFY(reported[0].contains("channel 3"));
        QVERIFY(reported[1].contains("channel 11"));
    }
};

QTEST_GUILESS_MAIN(TncViolationsTest)
#include "test_tncsim_violations.moc"
