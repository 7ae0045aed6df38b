// The simulated DX cluster: its greeting and prompt, spot lines marked with BEL, its commands.

#include "FakeClock.h"
#include "HostLine.h"
#include "tncsim/DxClusterStation.h"

#include <QtTest>

using namespace krx::tncsim;
using krx::test::dataAnswer;
using krx::test::FakeClock;
using krx::test::HostLine;
using krx::test::okAnswer;
using krx::test::textAnswer;

namespace {

const QByteArray kPrompt = "QQ1ZZZ de QQ5DX 11-Dec-2026 1437Z dxspider >\r";

struct World {
    World() {
        tnc.addStation(std::unique_ptr<Station>(cluster));
        host.enterHostMode();
        host.command(0, "I QQ1ZZZ");
    }
    void connect(int channel) {
        QCOMPARE(host.command(channel, "C QQ5DX"), okAnswer(channel));
        QCOMPARE(
            host.command(channel, "G"),
            textAnswer(channel, 3, "(" + QByteArray::number(channel) + ") CONNECTED to QQ5DX"));
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

    FakeClock clock{QDateTime(QDate(2026, 12, 11), QTime(14, 37, 5), Qt::UTC)};
    Tnc tnc{clock};
    HostLine host{tnc};
    DxClusterStation *cluster = new DxClusterStation("QQ5DX", 15000);
};

} // namespace

class TncDxClusterTest : public QObject {
    Q_OBJECT

private slots:
    void spotLinesHaveTheClustersColumns_data() {
        QTest::addColumn<QByteArray>("spotter");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<QByteArray>("dxCall");
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("usual")
            << QByteArray("QQ6AB") << 14025.0 << QByteArray("QQ0XYZ") << QByteArray("CQ DX")
            << QByteArray("DX de QQ6AB:     14025.0  QQ0XYZ       CQ DX                     1234Z");
        QTest::newRow("low band, odd tenth")
            << QByteArray("QQ2KL") << 7012.5 << QByteArray("QQ0ABC") << QByteArray("up 2")
            << QByteArray("DX de QQ2KL:      7012.5  QQ0ABC       up 2                      1234Z");
        QTest::newRow("long fields are cut")
            << QByteArray("QQ6ABC-15") << 144300.0 << QByteArray("QQ0ABCDEF/PORT")
            << QByteArray("a comment far too long for its column")
            << QByteArray("DX de QQ6ABC-   144300.0  QQ0ABCDEF/PO a comment far too long fo 1234Z");
    }
    void spotLinesHaveTheClustersColumns() {
        QFETCH(QByteArray, spotter);
        QFETCH(double, frequency);
        QFETCH(QByteArray, dxCall);
        QFETCH(QByteArray, comment);
        QFETCH(QByteArray, line);
        QCOMPARE(DxClusterStation::spotLine({spotter, frequency, dxCall, comment}, QTime(12, 34)),
                 line);
    }

    void greetsWithThePrompt() {
        World world;
        world.connect(1);
        QCOMPARE(world.received(1),
                 "Hello QQ1ZZZ, this is QQ5DX, a simulated DX cluster\r" + kPrompt);
        QCOMPARE(world.cluster->userCount(), 1);
    }

    void sendsSpotsWithBelWhileConnected() {
        World world;
        world.clock.advance(15000); // a spot nobody hears
        world.connect(2);
        world.received(2);
        world.clock.advance(14900);
        QCOMPARE(world.received(2), QByteArray());
        world.clock.advance(100);
        QCOMPARE(world.received(2), "DX de QQ2KL:      7012.5  QQ0ABC       up 2                "
                                    "      1437Z\a\a\r");
        world.clock.advance(15000);
        QVERIFY(world.received(2).startsWith("DX de QQ8RT:     21074.0  QQ0DEF "));
        QCOMPARE(world.tnc.violationCount(), 0);
    }

    void everyUserHearsEverySpot() {
        World world;
        world.connect(1);
        world.connect(3);
        world.received(1);
        world.received(3);
        const QByteArray spot = world.cluster->spotNow();
        QCOMPARE(world.received(1), spot + "\a\a\r");
        QCOMPARE(world.received(3), spot + "\a\a\r");
    }

    void listsTheLatestSpotsNewestFirst() {
        World world;
        world.connect(1);
        world.received(1);
        world.host.information(1, "sh/dx\r");
        QCOMPARE(world.received(1), "No spots yet\r" + kPrompt);
        QByteArrayList spots;
        for (int spot = 0; spot < DxClusterStation::kSpotsListed + 1; ++spot)
            spots.prepend(world.cluster->spotNow());
        world.received(1);
        world.host.information(1, "SH/DX\r");
        QCOMPARE(world.received(1),
                 spots.mid(0, DxClusterStation::kSpotsListed).join('\r') + '\r' + kPrompt);
    }

    void answersOtherLinesWithThePrompt() {
        World world;
        world.connect(1);
        world.received(1);
        world.host.information(1, "\rset/name Matti\r");
        QCOMPARE(world.received(1), kPrompt + kPrompt);
    }

    void byeEndsTheLink_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("B") << QByteArray("B\r");
        QTest::newRow("bye, lower case") << QByteArray("bye\r");
        QTest::newRow("QUIT with lines after it") << QByteArray("QUIT\rsh/dx\r");
    }
    void byeEndsTheLink() {
        QFETCH(QByteArray, line);
        World world;
        world.connect(1);
        world.received(1);
        world.host.information(1, line);
        QCOMPARE(world.host.command(1, "G"), dataAnswer(1, 7, "73 de QQ5DX\r"));
        QCOMPARE(world.host.command(1, "G"), textAnswer(1, 3, "(1) DISCONNECTED fm QQ5DX"));
        QCOMPARE(world.host.command(1, "G"), okAnswer(1));
        QCOMPARE(world.cluster->userCount(), 0);
    }

    void forgetsAUserWhoLeaves() {
        World world;
        world.connect(1);
        world.host.command(1, "D");
        QCOMPARE(world.cluster->userCount(), 0);
        world.cluster->spotNow();
        QCOMPARE(world.tnc.violationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TncDxClusterTest)
#include "test_tncsim_dxcluster.moc"
