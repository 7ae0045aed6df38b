#include "monitor/NetRomNodesDecoder.h"

#include <QtTest>

using krx::NetRomNodesDecoder;

namespace {

// Broadcast contents byte for byte as they come off the air: the signature 0xFF, the sender's
// alias, then 21-byte entries (destination call in AX.25 form, alias, best neighbour, quality).
const QByteArray senderQqnod = QByteArray::fromHex("FF 51 51 4E 4F 44 20");  // "QQNOD "
const QByteArray senderBbsnod = QByteArray::fromHex("FF 42 42 53 4E 4F 44"); // "BBSNOD"
const QByteArray routeToBbs = QByteArray::fromHex("A2 A2 64 84 84 A6 60"     // QQ2BBS-0
                                                  "42 42 53 20 20 20"        // "BBS   "
                                                  "A2 A2 66 9C 9E 88 7E"     // QQ3NOD-15
                                                  "C0");                     // 192
const QByteArray routeToQq4a = QByteArray::fromHex("A2 A2 68 82 40 40 7E"    // QQ4A-15
                                                   "41 41 41 41 41 41"       // "AAAAAA"
                                                   "A2 A2 62 B4 B4 B4 60"    // QQ1ZZZ-0
                                                   "FF");                    // 255
const QByteArray routeToQq5xyz = QByteArray::fromHex("A2 A2 6A B0 B2 B4 6E"  // QQ5XYZ-7
                                                     "58 59 5A 20 20 20"     // "XYZ   "
                                                     "A2 A2 6C 88 B0 40 60"  // QQ6DX-0
                                                     "00");                  // 0

const QByteArray title = "  \r\n NET/ROM Nodes Broadcast from (BBSNOD)\r\n"
                         "  Node      Alias    Via       Quality\r\n";
const QByteArray bbsLine = "  QQ2BBS    (BBS)   QQ3NOD-15     192   \r\n";

} // namespace

class NetRomNodesDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void decodesBroadcasts_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QByteArray>("table");

        QTest::newRow("alias cut short: no column header")
            << QByteArray::fromHex("FF 51 51 4E 4F 44")
            << QByteArray("  \r\n NET/ROM Nodes Broadcast from (QQNOD)\r\n"
                          "    No routes here.\r\n");
        QTest::newRow("empty broadcast")
            << senderQqnod
            << QByteArray("  \r\n NET/ROM Nodes Broadcast from (QQNOD)\r\n"
                          "  Node      Alias    Via       Quality\r\n"
                          "  \r\n"
                          "    No routes here.\r\n");
        QTest::newRow("one entry, 28 bytes")
            << senderBbsnod + routeToBbs << title + bbsLine + "  \r\n";
        QTest::newRow("three entries, SSIDs 0, 7 and 15")
            << senderBbsnod + routeToBbs + routeToQq4a + routeToQq5xyz
            << title + bbsLine +
                   "  QQ4A-15   (AAAAAA)QQ1ZZZ        255   \r\n"
                   "  QQ5XYZ-7  (XYZ)   QQ6DX         0     \r\n"
                   "  \r\n";
        QTest::newRow("partial entry after a whole one")
            << senderBbsnod + routeToBbs + QByteArray::fromHex("A2 A2 62 B4")
            << title + bbsLine + "  QQ1Z\r\n";
        QTest::newRow("only a partial call") << senderBbsnod + QByteArray::fromHex("A2 A2 62")
                                             << title + "  QQ1\r\n    No routes here.\r\n";
        // Nothing past the end of the contents is read: an entry cut after its call shows
        // the call only.
        QTest::newRow("entry cut inside its alias")
            << senderBbsnod + QByteArray::fromHex("A2 A2 62 B4 B4 B4 62 58 59 5A")
            << title + "  QQ1ZZZ-1\r\n    No routes here.\r\n";
        QTest::newRow("alias starting with a space ends the table without a line end")
            << senderBbsnod + routeToBbs +
                   QByteArray::fromHex("A2 A2 62 B4 B4 B4 60 20 41 42 43 20 20"
                                       "A2 A2 66 9C 9E 88 7E 50") +
                   routeToQq5xyz
            << title + bbsLine + "  QQ1ZZZ   ";
        QTest::newRow("blank alias in the first entry")
            << senderBbsnod + QByteArray::fromHex("A2 A2 62 B4 B4 B4 60 20 20 20 20 20 20"
                                                  "A2 A2 66 9C 9E 88 7E 50")
            << title + "  QQ1ZZZ   ";
    }

    void decodesBroadcasts() {
        QFETCH(QByteArray, contents);
        QFETCH(QByteArray, table);
        QCOMPARE(NetRomNodesDecoder::decode(contents), table);
    }

    void readsCallsInAddressForm_data() {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("call");
        QTest::newRow("SSID 0 has no suffix")
            << QByteArray::fromHex("A2 A2 64 84 84 A6 60") << QByteArray("QQ2BBS");
        QTest::newRow("SSID 15") << QByteArray::fromHex("A2 A2 66 9C 9E 88 7E")
                                 << QByteArray("QQ3NOD-15");
        QTest::newRow("padded with shifted spaces")
            << QByteArray::fromHex("A2 A2 68 82 40 40 7E") << QByteArray("QQ4A-15");
        QTest::newRow("shifted space with the extension bit ends the call")
            << QByteArray::fromHex("A2 A2 68 82 41 40 60") << QByteArray("QQ4A");
        QTest::newRow("command and reserved bits of the SSID byte ignored")
            << QByteArray::fromHex("A2 A2 66 9C 9E 88 E1") << QByteArray("QQ3NOD");
        QTest::newRow("every SSID bit set")
            << QByteArray::fromHex("A2 A2 66 9C 9E 88 FF") << QByteArray("QQ3NOD-15");
        QTest::newRow("short address: no SSID byte")
            << QByteArray::fromHex("A2 A2 62") << QByteArray("QQ1");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void readsCallsInAddressForm() {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, call);
        QCOMPARE(NetRomNodesDecoder::callOf(address), call);
    }

    void padsFields_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("padded");
        QTest::newRow("short text comes out one narrower")
            << QByteArray("QQ1ZZZ") << 10 << QByteArray("QQ1ZZZ   ");
        QTest::newRow("one short of the width")
            << QByteArray("QQ1ZZZ-15") << 10 << QByteArray("QQ1ZZZ-15");
        QTest::newRow("exact width") << QByteArray("0123456789") << 10 << QByteArray("0123456789");
        QTest::newRow("too long is cut")
            << QByteArray("0123456789AB") << 10 << QByteArray("0123456789");
        QTest::newRow("empty") << QByteArray() << 7 << QByteArray("      ");
    }

    void padsFields() {
        QFETCH(QByteArray, text);
        QFETCH(int, width);
        QFETCH(QByteArray, padded);
        QCOMPARE(NetRomNodesDecoder::pad(text, width), padded);
    }
};

QTEST_APPLESS_MAIN(NetRomNodesDecoderTest)
#include "test_netromnodesdecoder.moc"
