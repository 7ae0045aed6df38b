// The answers of the simulated TNC to each host-mode request, byte for byte.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/EchoStation.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::okAnswer;
using krx::test::textAnswer;

class TncHostTest : public QObject {
    Q_OBJECT

private slots:
    void entersHostMode_data() {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::newRow("as the program sends it") << QByteArrayList{"\x18\x1bjhost1\r"};
        QTest::newRow("upper case, no CAN") << QByteArrayList{"\x1bJHOST1\r"};
        QTest::newRow("mixed case") << QByteArrayList{"\x18\x1bJhOsT1\r"};
        QTest::newRow("in three chunks") << QByteArrayList{"\x18\x1bjh", "ost", "1\r"};
    }
    void entersHostMode() {
        QFETCH(QByteArrayList, chunks);
        FakeClock clock;
        Tnc tnc(clock);
        QByteArray answer;
        for (const QByteArray &chunk : chunks) {
            QVERIFY(!tnc.isHostMode());
            tnc.write(chunk);
            answer += tnc.takeOutput();
        }
        QCOMPARE(answer, QByteArray("* JHOST1\r\n"));
        QVERIFY(tnc.isHostMode());
        QCOMPARE(tnc.violationCount(), 0);
    }

    void staysInTerminalModeForOtherLines() {
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        QCOMPARE(host.send("\x1bJHOST0\r"), QByteArray());
        QCOMPARE(host.send("jhost1\r"), QByteArray()); // no ESC: not a command
        QVERIFY(!tnc.isHostMode());
        QCOMPARE(tnc.violationCount(), 2);
    }

    void answersRequests_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("G, nothing on channel 0") << 0 << QByteArray("G") << okAnswer(0);
        QTest::newRow("G, nothing on channel 3") << 3 << QByteArray("G") << okAnswer(3);
        QTest::newRow("L on channel 0") << 0 << QByteArray("L") << textAnswer(0, 1, "0 0");
        QTest::newRow("L on a free channel")
            << 2 << QByteArray("L") << textAnswer(2, 1, "0 0 0 0 0 0");
        QTest::newRow("@B") << 0 << QByteArray("@B") << textAnswer(0, 1, "8192");
        QTest::newRow("bare c on a free channel")
            << 1 << QByteArray("c") << textAnswer(1, 1, "CHANNEL NOT CONNECTED");
        QTest::newRow("bare C on channel 0") << 0 << QByteArray("C") << textAnswer(0, 1, "CQ");
        QTest::newRow("C with a bad call")
            << 1 << QByteArray("C QQ1ZZZ-16") << textAnswer(1, 2, "INVALID CALLSIGN");
        QTest::newRow("D on a free channel")
            << 4 << QByteArray("D") << textAnswer(4, 2, "CHANNEL NOT CONNECTED");
        QTest::newRow("D on channel 0")
            << 0 << QByteArray("D") << textAnswer(0, 2, "CHANNEL NOT CONNECTED");
        QTest::newRow("bare I") << 0 << QByteArray("I") << textAnswer(0, 1, "NOCALL");
        QTest::newRow("I with a bad call")
            << 0 << QByteArray("I QQ1ZZZZ") << textAnswer(0, 2, "INVALID CALLSIGN");
        QTest::newRow("bare Y") << 0 << QByteArray("Y") << textAnswer(0, 1, "10 (0)");
        QTest::newRow("Y above ten")
            << 0 << QByteArray("Y 11") << textAnswer(0, 2, "INVALID PARAMETER");
        QTest::newRow("bare T") << 0 << QByteArray("T") << textAnswer(0, 1, "30");
        QTest::newRow("MUISC") << 0 << QByteArray("MUISC") << okAnswer(0);
        QTest::newRow("M with a bad flag")
            << 0 << QByteArray("M X") << textAnswer(0, 2, "INVALID PARAMETER");
        QTest::newRow("K 2") << 0 << QByteArray("K 2") << okAnswer(0);
        QTest::newRow("K 3") << 0 << QByteArray("K 3") << textAnswer(0, 2, "INVALID PARAMETER");
        QTest::newRow("T with a word")
            << 0 << QByteArray("T five") << textAnswer(0, 2, "INVALID PARAMETER");
        QTest::newRow("X 1") << 0 << QByteArray("X 1") << okAnswer(0);
        QTest::newRow("@T2 150") << 0 << QByteArray("@T2 150") << okAnswer(0);
        QTest::newRow("O 4") << 0 << QByteArray("O 4") << okAnswer(0);
        QTest::newRow("unknown command")
            << 0 << QByteArray("Q") << textAnswer(0, 2, "INVALID COMMAND: Q");
        QTest::newRow("unknown extended command")
            << 0 << QByteArray("@Q 5") << textAnswer(0, 2, "INVALID COMMAND: @Q 5");
        QTest::newRow("JHOST1 in host mode") << 0 << QByteArray("JHOST1") << okAnswer(0);
        QTest::newRow("answer on the asking channel")
            << 7 << QByteArray("T") << textAnswer(7, 1, "30");
    }
    void answersRequests() {
        QFETCH(int, channel);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        QCOMPARE(host.command(channel, command), answer);
        QCOMPARE(tnc.violationCount(), 0);
    }

    void setsAndReports_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reported");
        QTest::newRow("own call") << 0 << QByteArray("I QQ1ZZZ") << QByteArray("I")
                                  << QByteArray("QQ1ZZZ");
        QTest::newRow("own call in lower case with SSID 0")
            << 0 << QByteArray("i qq1zzz-0") << QByteArray("I") << QByteArray("QQ1ZZZ");
        QTest::newRow("channel count")
            << 0 << QByteArray("Y 4") << QByteArray("Y") << QByteArray("4 (0)");
        QTest::newRow("T with a blank")
            << 0 << QByteArray("T 5") << QByteArray("T") << QByteArray("5");
        QTest::newRow("T without a blank")
            << 0 << QByteArray("T5") << QByteArray("T") << QByteArray("5");
        QTest::newRow("monitor flags")
            << 0 << QByteArray("muisc") << QByteArray("M") << QByteArray("UISC");
        QTest::newRow("extended parameter")
            << 0 << QByteArray("@T2 200") << QByteArray("@T2") << QByteArray("200");
        QTest::newRow("unproto path") << 0 << QByteArray("C QQ2BBS via QQ3NOD") << QByteArray("C")
                                      << QByteArray("QQ2BBS via QQ3NOD");
    }
    void setsAndReports() {
        QFETCH(int, channel);
        QFETCH(QByteArray, setting);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reported);
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        QCOMPARE(host.command(channel, setting), okAnswer(channel));
        QCOMPARE(host.command(channel, query), textAnswer(channel, 1, reported));
    }

    void channelsHaveTheirOwnCalls() {
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
        QCOMPARE(host.command(3, "I"), textAnswer(3, 1, "QQ1ZZZ"));
        QCOMPARE(host.command(3, "i QQ1ZZZ-3"), okAnswer(3));
        QCOMPARE(host.command(3, "I"), textAnswer(3, 1, "QQ1ZZZ-3"));
        QCOMPARE(host.command(0, "I"), textAnswer(0, 1, "QQ1ZZZ"));
        QCOMPARE(host.command(2, "I"), textAnswer(2, 1, "QQ1ZZZ"));
    }

    void leavesAndReentersHostMode() {
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        QCOMPARE(host.send(QByteArray("\x00\x01\x05jhost0", 9)), okAnswer(0));
        QVERIFY(!tnc.isHostMode());
        QCOMPARE(host.enterHostMode(), QByteArray("* JHOST1\r\n"));
        QCOMPARE(host.command(0, "G"), okAnswer(0));
        QCOMPARE(tnc.violationCount(), 0);
    }

    void rejectsConfiguredCommands_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QByteArray>("errorText");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<bool>("rejected");
        QTest::newRow("as written")
            << QByteArray("X 1") << QByteArray() << QByteArray("X 1") << true;
        QTest::newRow("without blank, lower case")
            << QByteArray("X 1") << QByteArray() << QByteArray("x1") << true;
        QTest::newRow("two blanks")
            << QByteArray("X 1") << QByteArray() << QByteArray("X  1") << true;
        QTest::newRow("other value")
            << QByteArray("X 1") << QByteArray() << QByteArray("X 0") << false;
        QTest::newRow("own text") << QByteArray("MUISC") << QByteArray("NOT NOW")
                                  << QByteArray("M UISC") << true;
        QTest::newRow("extended command")
            << QByteArray("@T2 150") << QByteArray() << QByteArray("@t2 150") << true;
    }
    void rejectsConfiguredCommands() {
        QFETCH(QByteArray, rule);
        QFETCH(QByteArray, errorText);
        QFETCH(QByteArray, command);
        QFETCH(bool, rejected);
        FakeClock clock;
        Tnc tnc(clock);
        if (errorText.isEmpty())
            tnc.rejectCommand(rule);
        else
            tnc.rejectCommand(rule, errorText);
        HostLine host(tnc);
        host.enterHostMode();
        const QByteArray expectedText = errorText.isEmpty() ? "INVALID PARAMETER" : errorText;
        QCOMPARE(host.command(0, command), rejected ? textAnswer(0, 2, expectedText) : okAnswer(0));
    }

    void stampsLinkTextsWhileKIsOn_data() {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QByteArray>("linkText");
        QTest::newRow("K 0") << QByteArray("K 0") << QByteArray("(1) CONNECTED to QQ7ECH");
        QTest::newRow("K 1") << QByteArray("K 1")
                             << QByteArray("(1) CONNECTED to QQ7ECH - 02/01/27 03:04:05");
        QTest::newRow("K 2") << QByteArray("K 2")
                             << QByteArray("(1) CONNECTED to QQ7ECH - 02/01/27 03:04:05");
    }
    void stampsLinkTextsWhileKIsOn() {
        QFETCH(QByteArray, setting);
        QFETCH(QByteArray, linkText);
        FakeClock clock(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5)));
        Tnc tnc(clock);
        tnc.addStation(std::make_unique<EchoStation>("QQ7ECH"));
        HostLine host(tnc);
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
        host.command(0, setting);
        host.command(1, "C QQ7ECH");
        QCOMPARE(host.command(1, "G"), textAnswer(1, 3, linkText));
    }

    void kTakesTheDateAndTimeTheProgramSends_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("date") << QByteArray("K 11.12.26") << true;
        QTest::newRow("time") << QByteArray("K 14:37:05") << true;
        QTest::newRow("half a date") << QByteArray("K 11.12") << false;
        QTest::newRow("not a time") << QByteArray("K 14:37:xx") << false;
    }
    void kTakesTheDateAndTimeTheProgramSends() {
        QFETCH(QByteArray, command);
        QFETCH(bool, accepted);
        FakeClock clock;
        Tnc tnc(clock);
        HostLine host(tnc);
        host.enterHostMode();
        QCOMPARE(host.command(0, command) == okAnswer(0), accepted);
    }
};

QTEST_GUILESS_MAIN(TncHostTest)
#include "test_tncsim_host.moc"
