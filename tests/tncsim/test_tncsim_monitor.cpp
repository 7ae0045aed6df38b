// What the simulated TNC shows on channel 0: the frames of its own links, frames heard on
// the air and its own unproto frames, as the M setting asks.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/EchoStation.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::dataAnswer;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::okAnswer;
using krx::test::textAnswer;

namespace {

// Sends unproto frames when told to and keeps what it hears.
class BeaconStation final : public Station {
public:
    using Station::Station;
    void beacon(const QByteArray &to, const QByteArray &data) {
        network().sendUnproto(*this, to, data);
    }
    void heardUnproto(const QByteArray &from, const QByteArray &to,
                      const QByteArray &data) override {
        heard << from + '>' + to + ':' + data;
    }
    QByteArrayList heard;
};

QByteArray header(int code, const QByteArray &text) {
    return textAnswer(0, code, text);
}
QByteArray contents(const QByteArray &data) {
    return dataAnswer(0, 6, data);
}

struct World {
    explicit World(const QByteArray &monitorFlags) {
        tnc.addStation(std::make_unique<EchoStation>("QQ7ECH"));
        tnc.addStation(std::unique_ptr<Station>(beacon));
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
        host.command(0, "M " + monitorFlags);
    }

    FakeClock clock{QDateTime(QDate(2026, 12, 11), QTime(0, 1, 39))};
    Tnc tnc{clock};
    HostLine host{tnc};
    BeaconStation *beacon = new BeaconStation("QQ2BBS");
};

} // namespace

class TncMonitorTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheFramesOfItsOwnLink() {
        World world("UISC");
        HostLine &host = world.host;
        host.command(1, "C QQ7ECH");
        host.information(1, "hi\r");
        host.command(1, "D");
        const QByteArrayList expected{
            header(4, "fm QQ1ZZZ to QQ7ECH ctl SABM+"),
            header(4, "fm QQ7ECH to QQ1ZZZ ctl UA-"),
            header(5, "fm QQ1ZZZ to QQ7ECH ctl I00^ pid F0"),
            contents("hi\r"),
            header(4, "fm QQ7ECH to QQ1ZZZ ctl RR1v"),
            header(5, "fm QQ7ECH to QQ1ZZZ ctl I10^ pid F0"),
            contents("hi\r"),
            header(4, "fm QQ1ZZZ to QQ7ECH ctl RR1v"),
            header(4, "fm QQ1ZZZ to QQ7ECH ctl DISC+"),
            header(4, "fm QQ7ECH to QQ1ZZZ ctl UA-"),
        };
        QCOMPARE(host.pollAll(0), expected);
    }

    void countsMonitoredFramesInTheStatus() {
        World world("UISC");
        world.host.command(1, "C QQ7ECH");
        world.host.information(1, "hi\r");
        // SABM, UA, two I frames with contents and two RR: six frames, eight items.
        QCOMPARE(world.host.command(0, "L"), textAnswer(0, 1, "0 6"));
        world.host.command(0, "G");
        QCOMPARE(world.host.command(0, "L"), textAnswer(0, 1, "0 5"));
    }

    void showsInjectedFramesWithTheirContents() {
        World world("UISC");
        const MonitorFrame broadcast{
            "QQ2BBS", "FBB", {}, "UI", "F0", "5301 B 1234 ALL@WW QQ3ABC 261211 Test broadcast\r"};
        QVERIFY(world.tnc.injectMonitorFrame(broadcast));
        QVERIFY(world.tnc.injectMonitorFrame({"QQ3NOD", "QQ9ABC", {"QQ4DIG"}, "DM-", {}, {}}));
        QCOMPARE(world.host.command(0, "G"), header(5, "fm QQ2BBS to FBB ctl UI pid F0"));
        QCOMPARE(world.host.command(0, "G"), contents(broadcast.info));
        QCOMPARE(world.host.command(0, "G"), header(4, "fm QQ3NOD to QQ9ABC via QQ4DIG ctl DM-"));
        QCOMPARE(world.host.command(0, "G"), okAnswer(0));
    }

    void stampsHeadersWhileKIsOn() {
        World world("UISC");
        world.host.command(0, "K 1");
        world.tnc.injectMonitorFrame({"QQ1ZZZ", "QQ3NOD", {}, "SABM+", {}, {}});
        QCOMPARE(world.host.command(0, "G"),
                 header(4, "fm QQ1ZZZ to QQ3NOD ctl SABM+ - 11/12/26 00:01:39"));
    }

    void refusesContentsLongerThanAFrame() {
        World world("UISC");
        QVERIFY(
            !world.tnc.injectMonitorFrame({"QQ2BBS", "FBB", {}, "UI", "F0", QByteArray(257, 'x')}));
        QVERIFY(
            world.tnc.injectMonitorFrame({"QQ2BBS", "FBB", {}, "UI", "F0", QByteArray(256, 'x')}));
    }

    void monitorsAsTheFlagsSay_data() {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<bool>("shown");
        QTest::newRow("nothing with N") << QByteArray("N") << QByteArray("UI") << false;
        QTest::newRow("N wins") << QByteArray("NUISC") << QByteArray("UI") << false;
        QTest::newRow("UI with U") << QByteArray("U") << QByteArray("UI^") << true;
        QTest::newRow("UI without U") << QByteArray("ISC") << QByteArray("UI") << false;
        QTest::newRow("I with I") << QByteArray("I") << QByteArray("I35+") << true;
        QTest::newRow("I without I") << QByteArray("USC") << QByteArray("I35+") << false;
        QTest::newRow("SABM with S") << QByteArray("S") << QByteArray("SABM+") << true;
        QTest::newRow("RR without S") << QByteArray("UIC") << QByteArray("RR2v") << false;
    }
    void monitorsAsTheFlagsSay() {
        QFETCH(QByteArray, flags);
        QFETCH(QByteArray, control);
        QFETCH(bool, shown);
        World world(flags);
        const MonitorFrame frame{"QQ2BBS", "QQ3ABC", {}, control, {}, {}};
        QCOMPARE(world.tnc.injectMonitorFrame(frame), shown);
        QCOMPARE(world.host.command(0, "G"), shown ? header(4, frame.header()) : okAnswer(0));
    }

    void needsTheCFlagWhileALinkIsUp() {
        World world("UIS");
        world.host.command(1, "C QQ7ECH");
        world.host.pollAll(0);
        QVERIFY(!world.tnc.injectMonitorFrame({"QQ2BBS", "FBB", {}, "UI", "F0", "x"}));
        world.host.command(0, "M UISC");
        QVERIFY(world.tnc.injectMonitorFrame({"QQ2BBS", "FBB", {}, "UI", "F0", "x"}));
    }

    void showsUnprotoFromStations() {
        World world("UISC");
        world.beacon->beacon("FBB", "5302 P 120 QQ1ZZZ@QQ2BBS QQ3ABC 261211 Hi\r");
        QCOMPARE(world.host.command(0, "G"), header(5, "fm QQ2BBS to FBB ctl UI pid F0"));
        QCOMPARE(world.host.command(0, "G"),
                 contents("5302 P 120 QQ1ZZZ@QQ2BBS QQ3ABC 261211 Hi\r"));
    }

    void sendsTheHostsUnprotoToEveryStation() {
        World world("UISC");
        QCOMPARE(world.host.command(0, "C FBB via QQ3NOD"), okAnswer(0));
        QCOMPARE(world.host.information(0, "? 5301\r"), okAnswer(0));
        QCOMPARE(world.beacon->heard, QByteArrayList{"QQ1ZZZ>FBB:? 5301\r"});
        QCOMPARE(world.host.command(0, "G"),
                 header(5, "fm QQ1ZZZ to FBB via QQ3NOD ctl UI^ pid F0"));
        QCOMPARE(world.host.command(0, "G"), contents("? 5301\r"));
        QCOMPARE(world.tnc.violationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TncMonitorTest)
#include "test_tncsim_monitor.moc"
