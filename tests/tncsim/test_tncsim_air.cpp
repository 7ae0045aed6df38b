// Traffic the simulated TNC hears on the air from stations that have no link with it: QSOs
// and beacons of a chatter station and NET/ROM NODES broadcasts, as the monitor shows them.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/ChatterStation.h"
#include "tncsim/NodesBroadcast.h"
#include "tncsim/NodesBroadcaster.h"
#include "tncsim/OnAirLink.h"
#include "tncsim/Period.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::dataAnswer;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::textAnswer;

namespace {

using End = OnAirLink::End;

QByteArrayList headersOf(const QList<MonitorFrame> &frames) {
    QByteArrayList headers;
    for (const MonitorFrame &frame : frames)
        headers << frame.header();
    return headers;
}

QByteArray header(int code, const QByteArray &text) {
    return textAnswer(0, code, text);
}
QByteArray contents(const QByteArray &data) {
    return dataAnswer(0, 6, data);
}

// A TNC in host mode that monitors everything, with the stations of a test added.
struct World {
    explicit World(const QByteArray &monitorFlags = "UISC") {
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
        host.command(0, "M " + monitorFlags);
    }
    template <typename Kind> Kind *add(std::unique_ptr<Kind> station) {
        Kind *added = station.get();
        tnc.addStation(std::move(station));
        return added;
    }

    FakeClock clock{QDateTime(QDate(2026, 12, 11), QTime(14, 37, 5), Qt::UTC)};
    Tnc tnc{clock};
    HostLine host{tnc};
};

NodesRoute route(const QByteArray &call, const QByteArray &alias, const QByteArray &neighbour,
                 int quality) {
    return {call, alias, neighbour, quality};
}

} // namespace

class TncAirTest : public QObject {
    Q_OBJECT

private slots:
    void periodCountsEndsOfThePeriod() {
        Period period(1000, 300);
        QCOMPARE(period.elapse(200), 0);
        QCOMPARE(period.elapse(100), 1);
        QCOMPARE(period.elapse(999), 0);
        QCOMPARE(period.elapse(2001), 3);
        QCOMPARE(Period(0, 0).interval(), 1); // never a period that cannot end
    }

    void onAirLinkNumbersFramesAsARealLink() {
        OnAirLink link("qq6rad", "QQ2PEK");
        QCOMPARE(headersOf(link.open()),
                 (QByteArrayList{"fm QQ6RAD to QQ2PEK ctl SABM+", "fm QQ2PEK to QQ6RAD ctl UA-"}));
        QCOMPARE(headersOf(link.say(End::Caller, "one\r")),
                 (QByteArrayList{"fm QQ6RAD to QQ2PEK ctl I00^ pid F0",
                                 "fm QQ2PEK to QQ6RAD ctl RR1v"}));
        QCOMPARE(headersOf(link.say(End::Called, "two\r")),
                 (QByteArrayList{"fm QQ2PEK to QQ6RAD ctl I10^ pid F0",
                                 "fm QQ6RAD to QQ2PEK ctl RR1v"}));
        const QList<MonitorFrame> third = link.say(End::Caller, "three\r");
        QCOMPARE(headersOf(third), (QByteArrayList{"fm QQ6RAD to QQ2PEK ctl I11^ pid F0",
                                                   "fm QQ2PEK to QQ6RAD ctl RR2v"}));
        QCOMPARE(third.front().info, QByteArray("three\r"));
        QVERIFY(third.back().info.isEmpty());
        QCOMPARE(headersOf(link.close(End::Called)),
                 (QByteArrayList{"fm QQ2PEK to QQ6RAD ctl DISC+", "fm QQ6RAD to QQ2PEK ctl UA-"}));
    }

    void onAirLinkCutsLongTextAndWrapsItsNumbers() {
        OnAirLink link("QQ6RAD", "QQ2PEK");
        const QList<MonitorFrame> long_ = link.say(End::Caller, QByteArray(300, 'x'));
        QCOMPARE(headersOf(long_), (QByteArrayList{"fm QQ6RAD to QQ2PEK ctl I00^ pid F0",
                                                   "fm QQ2PEK to QQ6RAD ctl RR1v",
                                                   "fm QQ6RAD to QQ2PEK ctl I01^ pid F0",
                                                   "fm QQ2PEK to QQ6RAD ctl RR2v"}));
        QCOMPARE(long_.at(0).info.size(), 256);
        QCOMPARE(long_.at(2).info.size(), 44);
        for (int frame = 2; frame < 8; ++frame)
            link.say(End::Caller, "x\r");
        QCOMPARE(headersOf(link.say(End::Caller, "ninth\r")),
                 (QByteArrayList{"fm QQ6RAD to QQ2PEK ctl I00^ pid F0",
                                 "fm QQ2PEK to QQ6RAD ctl RR1v"}));
    }

    void chatterIsMonitoredBurstByBurst() {
        World world;
        world.add(std::make_unique<ChatterStation>("QQ6RAD", 10000));
        world.clock.advance(9900);
        QCOMPARE(world.host.pollAll(0), QByteArrayList());
        world.clock.advance(100);
        QCOMPARE(world.host.pollAll(0), (QByteArrayList{header(4, "fm QQ6RAD to QQ2PEK ctl SABM+"),
                                                        header(4, "fm QQ2PEK to QQ6RAD ctl UA-")}));
        world.clock.advance(10000);
        QCOMPARE(world.host.pollAll(0),
                 (QByteArrayList{header(5, "fm QQ6RAD to QQ2PEK ctl I00^ pid F0"),
                                 contents("Good evening Pekka, how is the new antenna doing?\r"),
                                 header(4, "fm QQ2PEK to QQ6RAD ctl RR1v")}));
        QCOMPARE(world.tnc.violationCount(), 0);
    }

    void chatterGoesThroughQsosAndBeaconsInTurn() {
        World world;
        ChatterStation *chatter = world.add(std::make_unique<ChatterStation>("QQ6RAD"));
        QByteArrayList headers;
        QSet<char> classes;
        for (int burst = 0; burst < 200 && headers.count("fm QQ6RAD to QQ2PEK ctl SABM+") < 2;
             ++burst) {
            for (const MonitorFrame &frame : chatter->sendNextBurst()) {
                headers << frame.header();
                classes << frame.frameClass();
            }
        }
        QCOMPARE(headers.count("fm QQ6RAD to QQ2PEK ctl SABM+"), 2); // the round begins again
        QCOMPARE(headers.count("fm QQ6RAD to QQ8TIM-15 ctl SABM+"), 1);
        QCOMPARE(headers.count("fm QQ6RAD to QQ9MAR-7 ctl SABM+"), 1);
        QCOMPARE(headers.count("fm QQ6RAD to QQ9MAR-7 ctl DISC+"), 1);
        // Beacons in both real forms: with and without the version-2 command mark.
        QCOMPARE(headers.count("fm QQ2PEK to BEACON ctl UI pid F0"), 1);
        QCOMPARE(headers.count("fm QQ8TIM-15 to CQ ctl UI^ pid F0"), 1);
        QCOMPARE(classes, (QSet<char>{'I', 'U', 'S'}));
        // Each QSO ends before the beacon that follows it.
        QCOMPARE(headers.indexOf("fm QQ2PEK to BEACON ctl UI pid F0"),
                 headers.indexOf("fm QQ6RAD to QQ2PEK ctl DISC+") + 2);
    }

    void chatterIsNotShownWhileMonitoringIsOff() {
        World world("N");
        ChatterStation *chatter = world.add(std::make_unique<ChatterStation>("QQ6RAD", 1000));
        world.clock.advance(5000);
        QVERIFY(!chatter->sendNextBurst().isEmpty());
        QCOMPARE(world.host.pollAll(0), QByteArrayList());
    }

    void nodesAddressesAreShiftedWithTheSsid_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QByteArray>("hex");
        QTest::newRow("SSID 0") << QByteArray("QQ3NOD") << QByteArray("a2a2669c9e8860");
        QTest::newRow("-0 is SSID 0") << QByteArray("qq3nod-0") << QByteArray("a2a2669c9e8860");
        QTest::newRow("SSID 15") << QByteArray("QQ6NOD-15") << QByteArray("a2a26c9c9e887e");
        QTest::newRow("short call padded with shifted blanks")
            << QByteArray("QQ5DX") << QByteArray("a2a26a88b04060");
        QTest::newRow("SSID 7") << QByteArray("QQ8NOD-7") << QByteArray("a2a2709c9e886e");
    }
    void nodesAddressesAreShiftedWithTheSsid() {
        QFETCH(QByteArray, call);
        QFETCH(QByteArray, hex);
        QCOMPARE(NodesBroadcast::address(call).toHex(), hex);
    }

    void nodesContentsHoldSignatureAliasAndEntries() {
        const QByteArray bytes =
            NodesBroadcast::contents("NOD4", {route("QQ6NOD-15", "TAMPR", "QQ3NOD", 152)});
        QCOMPARE(bytes.size(), 7 + 21);
        const QByteArrayList fields{
            "ff",             // signature
            "4e4f44342020",   // "NOD4  "
            "a2a26c9c9e887e", // QQ6NOD-15
            "54414d505220",   // "TAMPR "
            "a2a2669c9e8860", // QQ3NOD
            "98",             // quality 152
        };
        QCOMPARE(bytes.toHex(), fields.join());
        QCOMPARE(NodesBroadcast::contents("LONGALIAS", {}), QByteArray(1, '\xff') + "LONGAL");
    }

    void nodesBroadcastUsesFramesOfElevenEntriesAtMost() {
        QList<NodesRoute> routes;
        for (int n = 0; n < 12; ++n)
            routes << route("QQ" + QByteArray::number(n % 10) + "NOD", "N" + QByteArray::number(n),
                            "QQ3NOD", 100 + n);
        const QList<MonitorFrame> frames = NodesBroadcast("NOD4", routes).frames("qq4nod");
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames.at(0).info.size(), 7 + 11 * 21);
        QCOMPARE(frames.at(1).info, NodesBroadcast::contents("NOD4", routes.mid(11)));
        QCOMPARE(headersOf(frames), (QByteArrayList{"fm QQ4NOD to NODES ctl UI^ pid CF",
                                                    "fm QQ4NOD to NODES ctl UI^ pid CF"}));
        QCOMPARE(frames.at(0).frameClass(), 'U');

        const QList<MonitorFrame> plain = NodesBroadcast("NOD4", {}).frames("QQ4NOD", false);
        QCOMPARE(headersOf(plain), QByteArrayList{"fm QQ4NOD to NODES ctl UI pid CF"});
        QCOMPARE(plain.front().info, QByteArray(1, '\xff') + "NOD4  ");
    }

    void broadcasterAliasComesFromItsCall_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QByteArray>("alias");
        QTest::newRow("letters after the digit") << QByteArray("QQ4NOD") << QByteArray("NOD4");
        QTest::newRow("SSID left out") << QByteArray("QQ3NOD-15") << QByteArray("NOD3");
        QTest::newRow("digit first") << QByteArray("Q1ABCD") << QByteArray("ABCD1");
        QTest::newRow("no digit") << QByteArray("NOCALL") << QByteArray("NOCALL");
    }
    void broadcasterAliasComesFromItsCall() {
        QFETCH(QByteArray, call);
        QFETCH(QByteArray, alias);
        QCOMPARE(NodesBroadcaster::aliasOf(call), alias);
    }

    void broadcasterRoutesHoldSsidsZeroAndFifteen() {
        const NodesBroadcaster node("QQ4NOD");
        QSet<char> ssidBytes;
        for (const NodesRoute &entry : node.broadcast().routes()) {
            ssidBytes << NodesBroadcast::address(entry.call).back();
            ssidBytes << NodesBroadcast::address(entry.neighbour).back();
        }
        QVERIFY(ssidBytes.contains(char(0x60)));
        QVERIFY(ssidBytes.contains(char(0x7e)));
        QVERIFY(node.broadcast().routes().size() >= 3);
    }

    void broadcasterSendsItsTableSoonAndThenEveryInterval() {
        World world;
        world.tnc.setViolationHandler(
            [](const Violation &violation) { QFAIL(qPrintable(violation.text)); });
        NodesBroadcaster *node = world.add(std::make_unique<NodesBroadcaster>("QQ4NOD", 60000));
        const QByteArrayList expected{header(5, "fm QQ4NOD to NODES ctl UI^ pid CF"),
                                      contents(node->broadcast().frames("QQ4NOD").front().info)};
        QCOMPARE(node->broadcast().alias(), QByteArray("NOD4"));
        world.clock.advance(9900);
        QCOMPARE(world.host.pollAll(0), QByteArrayList());
        world.clock.advance(100); // the first one after ten seconds
        QCOMPARE(world.host.pollAll(0), expected);
        world.clock.advance(59900);
        QCOMPARE(world.host.pollAll(0), QByteArrayList());
        world.clock.advance(100);
        QCOMPARE(world.host.pollAll(0), expected);
    }

    void broadcasterWithAShortIntervalStartsAfterIt() {
        World world;
        world.add(std::make_unique<NodesBroadcaster>("QQ4NOD", 3000));
        world.clock.advance(2900);
        QCOMPARE(world.host.pollAll(0), QByteArrayList());
        world.clock.advance(100);
        QCOMPARE(world.host.pollAll(0).size(), 2);
        world.clock.advance(6000);
        QCOMPARE(world.host.pollAll(0).size(), 4);
    }

    void broadcastNowTellsWhetherTheTncShowedIt() {
        World world("IS");
        NodesBroadcaster *node = world.add(std::make_unique<NodesBroadcaster>("QQ4NOD"));
        QVERIFY(!node->broadcastNow());
        world.host.command(0, "M U");
        QVERIFY(node->broadcastNow());
        QCOMPARE(world.host.command(0, "G"), header(5, "fm QQ4NOD to NODES ctl UI^ pid CF"));
    }
};

QTEST_GUILESS_MAIN(TncAirTest)
#include "test_tncsim_air.moc"
