// The station kinds the command line names, and the demo world krx-tncsim starts with when it
// is given no stations.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/StationCatalog.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::okAnswer;
using krx::test::textAnswer;

namespace {

bool isLinkText(const QByteArray &answer, const QByteArray &text) {
    return answer.size() > 2 && answer.at(1) == 3 && answer.mid(2).startsWith(text);
}

} // namespace

class TncCatalogTest : public QObject {
    Q_OBJECT

private slots:
    void makesStationsFromDescriptions_data() {
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QByteArray>("call"); // empty: refused
        QTest::newRow("dx cluster") << QByteArray("dxcluster:QQ5DX") << QByteArray("QQ5DX");
        QTest::newRow("dx cluster, seconds between spots")
            << QByteArray("DXCLUSTER:qq5dx:15") << QByteArray("QQ5DX");
        QTest::newRow("dx cluster, no time between spots")
            << QByteArray("dxcluster:QQ5DX:0") << QByteArray();
        QTest::newRow("chatter") << QByteArray("chatter:QQ6RAD:10") << QByteArray("QQ6RAD");
        QTest::newRow("chatter, a word for seconds")
            << QByteArray("chatter:QQ6RAD:often") << QByteArray();
        QTest::newRow("netrom") << QByteArray("netrom:QQ4NOD-15") << QByteArray("QQ4NOD-15");
        QTest::newRow("netrom, negative seconds")
            << QByteArray("netrom:QQ4NOD:-60") << QByteArray();
        QTest::newRow("caller at once") << QByteArray("caller:QQ5CAL:0") << QByteArray("QQ5CAL");
        QTest::newRow("echo with an argument") << QByteArray("echo:QQ7ECH:5") << QByteArray();
        QTest::newRow("bad call") << QByteArray("dxcluster:QQ5DX-16") << QByteArray();
    }
    void makesStationsFromDescriptions() {
        QFETCH(QByteArray, description);
        QFETCH(QByteArray, call);
        QString error;
        const auto station = StationCatalog::standard().create(description, &error);
        QCOMPARE(station ? station->call() : QByteArray(), call);
        QCOMPARE(error.isEmpty(), !call.isEmpty());
    }

    void demoSetHoldsEveryKindOfLife() {
        const StationCatalog catalog = StationCatalog::standard();
        QSet<QByteArray> kinds;
        for (const QByteArray &description : StationCatalog::demoSet()) {
            QString error;
            QVERIFY2(catalog.create(description, &error), qPrintable(error));
            kinds << description.split(':').front();
        }
        QCOMPARE(kinds, (QSet<QByteArray>{"echo", "node", "dxcluster", "busy", "unreachable",
                                          "caller", "chatter", "netrom"}));
    }

    // A minute of the demo world in simulated time, seen by a host that monitors everything
    // and has connected channel 2 to the DX cluster.
    void demoWorldIsLively() {
        FakeClock clock;
        Tnc tnc(clock);
        const StationCatalog catalog = StationCatalog::standard();
        QString error;
        for (const QByteArray &description : StationCatalog::demoSet())
            QVERIFY(tnc.addStation(catalog.create(description, &error)));
        HostLine host(tnc);
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
        host.command(0, "M UISC");
        QCOMPARE(host.command(2, "C QQ5DX"), okAnswer(2));

        QByteArrayList monitor;
        QByteArrayList channel1;
        QByteArray cluster;
        for (int second = 0; second < 61; ++second) {
            clock.advance(1000);
            monitor += host.pollAll(0);
            channel1 += host.pollAll(1);
            for (const QByteArray &answer : host.pollAll(2))
                cluster += answer.mid(answer.at(1) == 7 ? 3 : 2);
        }

        QVERIFY(monitor.contains(textAnswer(0, 5, "fm QQ4NOD to NODES ctl UI^ pid CF")));
        QVERIFY(monitor.contains(textAnswer(0, 4, "fm QQ6RAD to QQ2PEK ctl SABM+")));
        QVERIFY(monitor.contains(textAnswer(0, 5, "fm QQ6RAD to QQ2PEK ctl I00^ pid F0")));
        QVERIFY(monitor.contains(textAnswer(0, 4, "fm QQ5CAL to QQ1ZZZ ctl SABM+")));
        QVERIFY(!channel1.isEmpty());
        QVERIFY(isLinkText(channel1.front(), "(1) CONNECTED to QQ5CAL"));
        QVERIFY(cluster.startsWith("(2) CONNECTED to QQ5DX"));
        QVERIFY(cluster.contains("this is QQ5DX"));
        QCOMPARE(cluster.count("\a\a\r"), 4); // a spot every 15 s
        QCOMPARE(tnc.violationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TncCatalogTest)
#include "test_tncsim_catalog.moc"
