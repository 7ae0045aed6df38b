#include "store/HeaderRecord.h"
#include "store/OldRecords.h"

#include <QtTest>

using namespace krx;

namespace {

QByteArray zeros(int count) {
    return QByteArray(count, '\0');
}

// Text padded with NULs to its field width.
QByteArray field(const QByteArray &text, int width) {
    return text + zeros(width - int(text.size()));
}

// A record laid out byte by byte, without the codec.
QByteArray handBuiltRecord() {
    QByteArray r;
    r += "BY";                                    // 0 kind, 1 status
    r += zeros(2);                                // 2 padding
    r += QByteArray::fromHex("39300000");         // 4 number 12345
    r += QByteArray::fromHex("70110100");         // 8 size 70000
    r += field("QQ1ZZZ", 7);                      // 12 from
    r += field("WW", 41);                         // 19 via
    r += field("ALL", 7);                         // 60 to
    r += field("Test", 81);                       // 67 title
    r += zeros(4);                                // 148 padding
    r += QByteArray::fromHex("0000000018f9e540"); // 152 bbs_time 45000.75
    r += QByteArray::fromHex("0000000028f9e540"); // 160 stored_time 45001.25
    r += field("QQ2BBS", 20);                     // 168 forward_bbs
    r += QByteArray::fromHex("3cfe0300");         // 188 bbs_number 261692
    r += field("12345_QQ2BBS", 20);               // 192 bid
    r += zeros(4);                                // 212 padding
    return r;
}

HeaderRecord expectedRecord() {
    HeaderRecord e;
    e.kind = 'B';
    e.status = 'Y';
    e.number = 12345;
    e.size = 70000;
    e.from = "QQ1ZZZ";
    e.via = "WW";
    e.to = "ALL";
    e.title = "Test";
    e.bbs_time = 45000.75;
    e.stored_time = 45001.25;
    e.forward_bbs = "QQ2BBS";
    e.bbs_number = 261692;
    e.bid = "12345_QQ2BBS";
    return e;
}

// The old 208-byte list record of the same header: no padding after the title.
QByteArray handBuiltOldListRecord(const QByteArray &bid) {
    QByteArray r;
    r += "BY" + zeros(2);
    r += QByteArray::fromHex("39300000") + QByteArray::fromHex("70110100");
    r += field("QQ1ZZZ", 7) + field("WW", 41) + field("ALL", 7) + field("Test", 81);
    r += QByteArray::fromHex("0000000018f9e540"); // 148 bbs_time
    r += QByteArray::fromHex("0000000028f9e540"); // 156 stored_time
    r += field("QQ2BBS", 20);                     // 164 forward_bbs
    r += QByteArray::fromHex("3cfe0300");         // 184 bbs_number
    r += bid;                                     // 188 bid (20)
    return r;
}

// The older terminal program's 194-byte record: packed, with a 32-bit time stamp.
QByteArray handBuiltForeignRecord() {
    QByteArray r;
    r += "PR";                            // 0 kind, 1 status
    r += QByteArray::fromHex("d2040000"); // 2 number 1234
    r += QByteArray::fromHex("00080000"); // 6 size 2048
    r += field("QQ3ABC", 7) + field("QQ2BBS.FIN.EU", 41) + field("QQ1ZZZ", 7);
    r += field("Hello", 81);
    r += QByteArray::fromHex("00f15365"); // 146 stamp 0x6553f100
    r += zeros(20);                       // 150 forward_bbs
    r += QByteArray::fromHex("35820000"); // 170 bbs_number 33333
    r += field("1234_QQ2BBS", 20);        // 174 bid
    return r;
}

} // namespace

class HeaderRecordTest : public QObject {
    Q_OBJECT

private slots:
    void fixturesHaveTheirSizes() {
        QCOMPARE(handBuiltRecord().size(), 216);
        QCOMPARE(handBuiltOldListRecord(field("X", 20)).size(), 208);
        QCOMPARE(handBuiltForeignRecord().size(), 194);
    }

    void encodesByteForByte() { QCOMPARE(expectedRecord().encode(), handBuiltRecord()); }

    void decodesEveryField() {
        const HeaderRecord decoded = HeaderRecord::decode(handBuiltRecord().constData());
        QCOMPARE(decoded, expectedRecord());
        QCOMPARE(decoded.title.text(), QByteArray("Test"));
        QCOMPARE(decoded.bid.text(), QByteArray("12345_QQ2BBS"));
    }

    void negativeNumbersAreSigned() {
        HeaderRecord record;
        record.number = -2;
        record.size = -1;
        const QByteArray bytes = record.encode();
        QCOMPARE(bytes.mid(4, 4), QByteArray::fromHex("feffffff"));
        QCOMPARE(HeaderRecord::decode(bytes.constData()).number, -2);
        QCOMPARE(HeaderRecord::decode(bytes.constData()).size, -1);
    }

    void longValuesAreCutToTheirFields() {
        HeaderRecord record;
        record.from = "ABCDEFGH";
        record.via = QByteArray(45, 'v');
        record.to = "TOOLONGCALL";
        record.title = QByteArray(90, 't');
        record.forward_bbs = QByteArray(25, 'f');
        record.bid = QByteArray(25, 'b');
        record.bbs_number = 7;
        const QByteArray bytes = record.encode();
        QCOMPARE(bytes.size(), 216);
        const struct {
            int offset;
            QByteArray stored;
        } fields[] = {{12, "ABCDEF" + zeros(1)},
                      {19, QByteArray(40, 'v') + zeros(1)},
                      {60, "TOOLON" + zeros(1)},
                      {67, QByteArray(80, 't') + zeros(1) + zeros(4)},
                      {168, QByteArray(19, 'f') + zeros(1)},
                      {188, QByteArray::fromHex("07000000")},
                      {192, QByteArray(19, 'b') + zeros(1) + zeros(4)}};
        for (const auto &f : fields)
            QCOMPARE(bytes.mid(f.offset, f.stored.size()), f.stored);
    }

    void anEightyOneCharacterTitleKeepsEighty() {
        HeaderRecord record;
        record.title = QByteArray(81, 'x');
        QCOMPARE(record.title.text().size(), 80);
    }

    void eightBitTextIsKeptAsReceived() {
        HeaderRecord record;
        record.title = "\x84\x94\xe4\xf6";
        QCOMPARE(HeaderRecord::decode(record.encode().constData()).title.text(),
                 QByteArray("\x84\x94\xe4\xf6"));
    }

    void oldListRecordMovesFieldsToTheirNewPlaces() {
        const HeaderRecord decoded =
            decodeOldListRecord(handBuiltOldListRecord(field("12345_QQ2BBS", 20)).constData());
        QCOMPARE(decoded, expectedRecord());
        QCOMPARE(decoded.encode(), handBuiltRecord());
    }

    void oldListRecordWithBidOfTwentyCharactersLosesIt() {
        const HeaderRecord decoded =
            decodeOldListRecord(handBuiltOldListRecord(QByteArray(20, 'B')).constData());
        QVERIFY(decoded.bid.isEmpty());
        QCOMPARE(decoded.forward_bbs.text(), QByteArray("QQ2BBS"));
    }

    void foreignRecordGivesItsFieldsAndStamp() {
        const ForeignRecord foreign = decodeForeignRecord(handBuiltForeignRecord().constData());
        const HeaderRecord &r = foreign.header;
        QCOMPARE(r.kind, 'P');
        QCOMPARE(r.status, 'R');
        QCOMPARE(r.number, 1234);
        QCOMPARE(r.size, 2048);
        QCOMPARE(r.from.text(), QByteArray("QQ3ABC"));
        QCOMPARE(r.via.text(), QByteArray("QQ2BBS.FIN.EU"));
        QCOMPARE(r.to.text(), QByteArray("QQ1ZZZ"));
        QCOMPARE(r.title.text(), QByteArray("Hello"));
        QVERIFY(r.forward_bbs.isEmpty());
        QCOMPARE(r.bbs_number, 33333);
        QCOMPARE(r.bid.text(), QByteArray("1234_QQ2BBS"));
        QCOMPARE(foreign.stamp, 0x6553f100);
    }
};

QTEST_GUILESS_MAIN(HeaderRecordTest)
#include "test_headerrecord.moc"
