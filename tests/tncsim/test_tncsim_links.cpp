// Links between the host's channels and the simulated stations: connect, data both ways,
// disconnect, the outcomes of a connect, a node that relays, stations that call in.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/CallingStation.h"
#include "tncsim/EchoStation.h"
#include "tncsim/NodeStation.h"
#include "tncsim/RefusingStations.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::dataAnswer;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::okAnswer;
using krx::test::textAnswer;

namespace {

// A TNC in host mode with own call QQ1ZZZ and the usual stations behind it.
struct World {
    World() {
        tnc.addStation(std::make_unique<EchoStation>("QQ7ECH"));
        tnc.addStation(std::make_unique<NodeStation>("QQ3NOD"));
        tnc.addStation(std::make_unique<NodeStation>("QQ4NOD"));
        tnc.addStation(std::make_unique<BusyStation>("QQ8BSY"));
        tnc.addStation(std::make_unique<UnreachableStation>("QQ9NOA"));
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
    }
    // Connects the channel and reads the CONNECTED text.
    void connect(int channel, const QByteArray &call) {
        QCOMPARE(host.command(channel, "C " + call), okAnswer(channel));
        QCOMPARE(
            host.command(channel, "G"),
            textAnswer(channel, 3, "(" + QByteArray::number(channel) + ") CONNECTED to " + call));
    }
    // All connected data waiting on the channel, joined.
    QByteArray received(int channel) {
        QByteArray data;
        for (const QByteArray &answer : host.pollAll(channel)) {
            if (answer.at(1) != 7)
                return "unexpected answer " + answer.toHex();
            data += answer.mid(3);
        }
        return data;
    }

    FakeClock clock;
    Tnc tnc{clock};
    HostLine host{tnc};
};

} // namespace

class TncLinksTest : public QObject {
    Q_OBJECT

private slots:
    void connectsEchoesAndDisconnects() {
        World world;
        HostLine &host = world.host;
        world.connect(1, "QQ7ECH");
        QCOMPARE(host.command(1, "G"), okAnswer(1));
        QCOMPARE(host.command(1, "L"), textAnswer(1, 1, "0 0 0 0 0 4"));
        QCOMPARE(host.command(1, "c"), textAnswer(1, 1, "QQ7ECH"));
        QCOMPARE(host.command(0, "Y"), textAnswer(0, 1, "10 (1)"));

        QCOMPARE(host.information(1, "hello\r"), okAnswer(1));
        QCOMPARE(host.command(1, "L"), textAnswer(1, 1, "0 1 0 0 0 4"));
        QCOMPARE(host.command(1, "G"), dataAnswer(1, 7, "hello\r"));
        QCOMPARE(host.information(1, "par"), okAnswer(1));
        QCOMPARE(host.command(1, "G"), okAnswer(1)); // no line end yet
        QCOMPARE(host.information(1, "tial\r"), okAnswer(1));
        QCOMPARE(host.command(1, "G"), dataAnswer(1, 7, "partial\r"));

        QCOMPARE(host.command(1, "D"), okAnswer(1));
        QCOMPARE(host.command(1, "G"), textAnswer(1, 3, "(1) DISCONNECTED fm QQ7ECH"));
        QCOMPARE(host.command(1, "L"), textAnswer(1, 1, "0 0 0 0 0 0"));
        QCOMPARE(host.command(1, "c"), textAnswer(1, 1, "CHANNEL NOT CONNECTED"));
        QCOMPARE(world.tnc.violationCount(), 0);
    }

    void reportsTheOutcomeOfAConnect_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QByteArray>("linkText");
        QTest::newRow("busy station") << QByteArray("QQ8BSY") << QByteArray("(2) BUSY fm QQ8BSY");
        QTest::newRow("station that never answers")
            << QByteArray("QQ9NOA") << QByteArray("(2) LINK FAILURE with QQ9NOA");
        QTest::newRow("nobody with that call")
            << QByteArray("qq6xyz") << QByteArray("(2) LINK FAILURE with QQ6XYZ");
        QTest::newRow("through a digipeater")
            << QByteArray("QQ7ECH v QQ3NOD") << QByteArray("(2) CONNECTED to QQ7ECH via QQ3NOD");
    }
    void reportsTheOutcomeOfAConnect() {
        QFETCH(QByteArray, call);
        QFETCH(QByteArray, linkText);
        World world;
        QCOMPARE(world.host.command(2, "C " + call), okAnswer(2));
        QCOMPARE(world.host.command(2, "G"), textAnswer(2, 3, linkText));
        QCOMPARE(world.host.command(2, "G"), okAnswer(2));
    }

    void freesTheChannelAfterAFailedConnect() {
        World world;
        world.host.command(2, "C QQ8BSY");
        world.host.pollAll(2);
        QCOMPARE(world.host.command(2, "L"), textAnswer(2, 1, "0 0 0 0 0 0"));
        world.connect(2, "QQ7ECH");
    }

    void refusesASecondConnectOnALinkedChannel() {
        World world;
        world.connect(1, "QQ7ECH");
        QCOMPARE(world.host.command(1, "C QQ3NOD"), textAnswer(1, 2, "CHANNEL ALREADY CONNECTED"));
        QCOMPARE(world.tnc.linkedCall(1), QByteArray("QQ7ECH"));
    }

    void answersAConnectAfterTheDelay() {
        World world;
        world.tnc.setConnectDelay(1000);
        HostLine &host = world.host;
        QCOMPARE(host.command(1, "C QQ7ECH"), okAnswer(1));
        QCOMPARE(host.command(1, "G"), okAnswer(1));
        QCOMPARE(host.command(1, "L"), textAnswer(1, 1, "0 0 0 0 1 1"));
        QCOMPARE(host.command(1, "c"), textAnswer(1, 1, "QQ7ECH"));
        world.clock.advance(900);
        QCOMPARE(host.command(1, "G"), okAnswer(1));
        world.clock.advance(100);
        QCOMPARE(host.command(1, "G"), textAnswer(1, 3, "(1) CONNECTED to QQ7ECH"));
    }

    void sendsDataGivenDuringLinkSetupOnceConnected() {
        World world;
        world.tnc.setConnectDelay(500);
        world.host.command(1, "C QQ7ECH");
        QCOMPARE(world.host.information(1, "early\r"), okAnswer(1));
        QCOMPARE(world.tnc.violationCount(), 0);
        world.clock.advance(500);
        QCOMPARE(world.host.command(1, "G"), textAnswer(1, 3, "(1) CONNECTED to QQ7ECH"));
        QCOMPARE(world.received(1), QByteArray("early\r"));
    }

    void abandonsALinkSetupOnDisconnect() {
        World world;
        world.tnc.setConnectDelay(1000);
        HostLine &host = world.host;
        host.command(1, "C QQ7ECH");
        QCOMPARE(host.command(1, "D"), okAnswer(1));
        QCOMPARE(host.command(1, "G"), textAnswer(1, 3, "(1) DISCONNECTED fm QQ7ECH"));
        world.clock.advance(2000);
        QCOMPARE(host.command(1, "G"), okAnswer(1));
        QCOMPARE(host.command(1, "L"), textAnswer(1, 1, "0 0 0 0 0 0"));
    }

    void cutsLongStationOutputIntoFrames() {
        World world;
        world.connect(1, "QQ7ECH");
        const QByteArray line = QByteArray(200, 'a') + QByteArray(100, 'b') + '\r';
        world.host.information(1, line.left(200));
        world.host.information(1, line.mid(200));
        QCOMPARE(world.host.command(1, "L"), textAnswer(1, 1, "0 2 0 0 0 4"));
        QCOMPARE(world.host.command(1, "G"), dataAnswer(1, 7, line.left(256)));
        QCOMPARE(world.host.command(1, "G"), dataAnswer(1, 7, line.mid(256)));
    }

    void countsFramesOnTheirWayWithALinkDelay() {
        World world;
        world.tnc.setLinkDelay(1000);
        world.connect(1, "QQ7ECH");
        for (int frame = 0; frame < 9; ++frame)
            QCOMPARE(world.host.information(1, "line " + QByteArray::number(frame) + '\r'),
                     okAnswer(1));
        // MAXFRAME (O) 7 frames on the air, two waiting to be sent.
        QCOMPARE(world.host.command(1, "L"), textAnswer(1, 1, "0 0 2 7 0 4"));
        QCOMPARE(world.host.command(1, "O 3"), okAnswer(1));
        QCOMPARE(world.host.command(1, "L"), textAnswer(1, 1, "0 0 6 3 0 4"));
        world.clock.advance(1000);
        QCOMPARE(world.host.command(1, "L"), textAnswer(1, 1, "0 9 0 0 0 4"));
        QCOMPARE(world.received(1), QByteArray("line 0\rline 1\rline 2\rline 3\rline 4\r"
                                               "line 5\rline 6\rline 7\rline 8\r"));
    }

    void deliversWaitingFramesBeforeDisconnecting() {
        World world;
        world.tnc.setLinkDelay(1000);
        world.connect(1, "QQ7ECH");
        world.host.information(1, "last words\r");
        world.host.command(1, "D");
        QCOMPARE(world.host.command(1, "G"), dataAnswer(1, 7, "last words\r"));
        QCOMPARE(world.host.command(1, "G"), textAnswer(1, 3, "(1) DISCONNECTED fm QQ7ECH"));
    }

    void relaysThroughANode_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("nodeAnswer");
        QTest::newRow("connect onward")
            << QByteArray("C QQ7ECH\r") << QByteArray("*** CONNECTED to QQ7ECH\r");
        QTest::newRow("lower case, long verb")
            << QByteArray("connect qq7ech\r") << QByteArray("*** CONNECTED to QQ7ECH\r");
        QTest::newRow("busy station")
            << QByteArray("C QQ8BSY\r") << QByteArray("*** BUSY from QQ8BSY\r");
        QTest::newRow("station that never answers")
            << QByteArray("C QQ9NOA\r") << QByteArray("*** FAILURE with QQ9NOA\r");
        QTest::newRow("nobody with that call")
            << QByteArray("C QQ6XYZ\r") << QByteArray("*** FAILURE with QQ6XYZ\r");
        QTest::newRow("bad call") << QByteArray("C QQ6XYZ-99\r")
                                  << QByteArray("*** Invalid call\r");
        QTest::newRow("unknown command")
            << QByteArray("xyz\r") << QByteArray("*** Unknown command: XYZ\r");
    }
    void relaysThroughANode() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, nodeAnswer);
        World world;
        world.connect(1, "QQ3NOD");
        world.host.information(1, line);
        QCOMPARE(world.received(1), nodeAnswer);
    }

    void relaysDataBothWaysOnceConnectedOnward() {
        World world;
        world.connect(1, "QQ3NOD");
        // The line after the connect command in the same frame already goes onward.
        world.host.information(1, "C QQ7ECH\rfirst\r");
        QCOMPARE(world.received(1), QByteArray("*** CONNECTED to QQ7ECH\rfirst\r"));
        world.host.information(1, "ping\r");
        QCOMPARE(world.received(1), QByteArray("ping\r"));
    }

    void tellsTheUserWhenTheFarEndLeaves() {
        World world;
        world.connect(1, "QQ3NOD");
        world.host.information(1, "C QQ4NOD\r");
        QCOMPARE(world.received(1), QByteArray("*** CONNECTED to QQ4NOD\r"));
        world.host.information(1, "B\r"); // ends the link from QQ3NOD to QQ4NOD
        QCOMPARE(world.received(1), QByteArray("*** Reconnected to QQ3NOD\r"));
        world.host.information(1, "C QQ7ECH\r");
        QCOMPARE(world.received(1), QByteArray("*** CONNECTED to QQ7ECH\r"));
    }

    void nodeEndsTheOnwardLinkWithTheUsersLink() {
        World world;
        world.connect(1, "QQ3NOD");
        world.host.information(1, "C QQ4NOD\r");
        world.received(1);
        world.host.command(1, "D");
        QCOMPARE(world.host.command(1, "G"), textAnswer(1, 3, "(1) DISCONNECTED fm QQ3NOD"));
        // QQ4NOD is free again: a new user gets through to it.
        world.connect(2, "QQ3NOD");
        world.host.information(2, "C QQ4NOD\r");
        QCOMPARE(world.received(2), QByteArray("*** CONNECTED to QQ4NOD\r"));
    }

    void reportsAStationThatEndsTheLink() {
        World world;
        world.connect(1, "QQ3NOD");
        world.host.information(1, "bye\r");
        QCOMPARE(world.host.command(1, "G"), textAnswer(1, 3, "(1) DISCONNECTED fm QQ3NOD"));
        QCOMPARE(world.host.command(1, "L"), textAnswer(1, 1, "0 0 0 0 0 0"));
        QCOMPARE(world.host.information(1, "late\r"), textAnswer(1, 2, "CHANNEL NOT CONNECTED"));
    }

    void takesACallOnTheFirstFreeChannel() {
        World world;
        auto *caller = new CallingStation("QQ5CAL");
        world.tnc.addStation(std::unique_ptr<Station>(caller));
        world.connect(1, "QQ7ECH");
        caller->callNow();
        QVERIFY(caller->isConnected());
        QCOMPARE(world.host.command(2, "G"), textAnswer(2, 3, "(2) CONNECTED to QQ5CAL"));
        QCOMPARE(world.received(2), QByteArray("Hello from QQ5CAL\r"));
        world.host.information(2, "echo me\r");
        QCOMPARE(world.received(2), QByteArray("echo me\r"));
    }

    void refusesACallWhenNoChannelIsFree() {
        World world;
        auto *caller = new CallingStation("QQ5CAL");
        world.tnc.addStation(std::unique_ptr<Station>(caller));
        world.host.command(0, "Y 1");
        world.connect(1, "QQ7ECH");
        caller->callNow();
        QVERIFY(!caller->isConnected());
        QCOMPARE(caller->lastFailure(), std::optional(ConnectAnswer::Busy));
    }

    void callsTheTncAfterItsDelay() {
        World world;
        auto *caller = new CallingStation("QQ5CAL", 3000);
        world.tnc.addStation(std::unique_ptr<Station>(caller));
        world.clock.advance(2900);
        QCOMPARE(world.host.command(1, "G"), okAnswer(1));
        world.clock.advance(200);
        QCOMPARE(world.host.command(1, "G"), textAnswer(1, 3, "(1) CONNECTED to QQ5CAL"));
        world.clock.advance(10000); // it calls once only
        world.host.pollAll(1);
        QCOMPARE(world.host.command(2, "G"), okAnswer(2));
    }

    void reportsLinkFailureWhenTheStationGoesOffTheAir() {
        World world;
        HostLine &host = world.host;
        host.command(0, "M SC");
        world.tnc.setLinkDelay(1000);
        world.connect(1, "QQ7ECH");
        host.pollAll(0);
        QCOMPARE(host.information(1, "never heard\r"), okAnswer(1));
        QVERIFY(world.tnc.loseLink(1));
        QCOMPARE(host.command(1, "G"), textAnswer(1, 3, "(1) LINK FAILURE with QQ7ECH"));
        world.clock.advance(2000);
        QCOMPARE(host.command(1, "G"), okAnswer(1)); // the waiting frame went with the link
        QCOMPARE(host.command(1, "L"), textAnswer(1, 1, "0 0 0 0 0 0"));
        QCOMPARE(host.pollAll(0), QByteArrayList{textAnswer(0, 4, "fm QQ1ZZZ to QQ7ECH ctl RR0+")});
        world.connect(1, "QQ7ECH");
        QCOMPARE(world.tnc.violationCount(), 0);
    }

    void losesOnlyALinkThatIsUp() {
        World world;
        world.tnc.setConnectDelay(1000);
        world.host.command(2, "C QQ7ECH");
        QVERIFY(!world.tnc.loseLink(2)); // still being set up
        QVERIFY(!world.tnc.loseLink(1));
        QVERIFY(!world.tnc.loseLink(0));
        QVERIFY(!world.tnc.loseLink(11));
        QVERIFY(!world.tnc.loseLink(-1));
    }

    void countsPendingItemsAgainstTheBuffers() {
        World world;
        world.connect(1, "QQ7ECH");
        world.host.information(1, "one\r");
        world.host.information(1, "two\r");
        QCOMPARE(world.host.command(0, "@B"), textAnswer(0, 1, "8190"));
    }
};

QTEST_GUILESS_MAIN(TncLinksTest)
#include "test_tncsim_links.moc"
