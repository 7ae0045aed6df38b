#include "TempProgramDir.h"
#include "core/IniFile.h"
#include "store/DateConversion.h"
#include "store/ListLineParser.h"
#include "store/UnprotoHeaderParser.h"

#include <QtTest>

using namespace krx;

namespace {

const QDateTime now(QDate(2026, 12, 11), QTime(14, 37, 5));
const QByteArray canonical = "261692 BF   29352 KRX   @WW     QQ1ZZZ 0127/1730 New version....";

QDateTime bbsTime(const HeaderRecord &record) {
    return fromRecordDate(record.bbs_time);
}

ListColumns canonicalColumns() {
    ListLineParser parser;
    parser.DetectListColumns(canonical);
    return parser.columns();
}

} // namespace

class HeaderParsingTest : public QObject {
    Q_OBJECT

private slots:
    void canonicalLineGivesTheStatedColumns() {
        ListLineParser parser;
        QVERIFY(parser.DetectListColumns(canonical));
        const ListColumns &c = parser.columns();
        QCOMPARE(c.lst_type, 8);
        QCOMPARE(c.lst_size, 9);
        QCOMPARE(c.lst_to, 19);
        QCOMPARE(c.lst_via, 26);
        QCOMPARE(c.lst_from, 33);
        QCOMPARE(c.lst_time, 40);
        QCOMPARE(c.lst_title, 50);
        QCOMPARE(c.numberEnd, 8);
        QCOMPARE(c.sizeEnd, 19);
        QCOMPARE(c.timeEnd, 50);
        QVERIFY(c.valid());
    }

    void canonicalLineOnAnEmptyLayoutIsParsedWithTheSizeColumnCorrected() {
        ListLineParser parser;
        const ListLineResult result = parser.parse(canonical, 261000, now);
        QVERIFY(result.layoutChanged);
        QVERIFY(!result.sizeFault);
        QVERIFY(result.record);
        const HeaderRecord &r = *result.record;
        QCOMPARE(parser.columns().lst_size, 10);
        QCOMPARE(r.number, 261692);
        QCOMPARE(r.bbs_number, 261692);
        QCOMPARE(r.kind, 'B');
        QCOMPARE(r.status, ' ');
        QCOMPARE(r.size, 29352);
        QCOMPARE(r.to.text(), QByteArray("KRX"));
        QCOMPARE(r.via.text(), QByteArray("WW"));
        QCOMPARE(r.from.text(), QByteArray("QQ1ZZZ"));
        QCOMPARE(bbsTime(r), QDateTime(QDate(2026, 1, 27), QTime(17, 30)));
        QCOMPARE(r.stored_time, toRecordDate(now));
        QCOMPARE(r.title.text(), QByteArray("New version...."));
        QVERIFY(r.forward_bbs.isEmpty());
        QVERIFY(r.bid.isEmpty());

        // the corrected column stays; the next line changes nothing
        const ListLineResult next =
            parser.parse("261693 BF   29352 KRX   @WW     QQ1ZZZ 0127/1730 Next", 261692, now);
        QVERIFY(!next.layoutChanged);
        QCOMPARE(next.record->size, 29352);
    }

    void wideSizeShiftsTheFollowingFields() {
        ListLineParser parser(canonicalColumns());
        const ListLineResult result =
            parser.parse("261694 BF   123456 KRX   @WW     QQ1ZZZ 0128/0915 Shifted title", 0, now);
        QVERIFY(result.record);
        const HeaderRecord &r = *result.record;
        QCOMPARE(r.size, 123456);
        QCOMPARE(r.to.text(), QByteArray("KRX"));
        QCOMPARE(r.via.text(), QByteArray("WW"));
        QCOMPARE(r.from.text(), QByteArray("QQ1ZZZ"));
        QCOMPARE(bbsTime(r), QDateTime(QDate(2026, 1, 28), QTime(9, 15)));
        QCOMPARE(r.title.text(), QByteArray("Shifted title"));
    }

    void wideSizeWithoutSpaceAtTheAddresseeIsNotShifted() {
        ListLineParser parser(canonicalColumns());
        const ListLineResult result =
            parser.parse("261694 BF  123456 KRX   @WW     QQ1ZZZ 0128/0915 Not shifted", 0, now);
        QCOMPARE(result.record->size, 123456);
        QCOMPARE(result.record->to.text(), QByteArray("KRX"));
        QCOMPARE(result.record->title.text(), QByteArray("Not shifted"));
    }

    void linesThatAreNotNewHeadersAreIgnored_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("newest");
        QTest::newRow("number not above the newest") << canonical << 261692;
        QTest::newRow("shorter than the title column less 3")
            << QByteArray("261699 BF   29352 KRX   @WW     QQ1ZZZ 0127/17") << 0;
        QTest::newRow("no number")
            << QByteArray("Msg# TSLD  Size To    @ BBS  From   Date/Time Title") << 0;
        QTest::newRow("number too short for its column") << QByteArray("12") << 0;
    }
    void linesThatAreNotNewHeadersAreIgnored() {
        QFETCH(QByteArray, line);
        QFETCH(int, newest);
        ListLineParser parser(canonicalColumns());
        QVERIFY(!parser.parse(line, newest, now).record);
    }

    void lineReachingTitleColumnLessThreeIsTaken() {
        ListLineParser parser(canonicalColumns());
        // 47 characters: the title column 50 less 3
        const QByteArray line = "261699 BF   29352 KRX   @WW     QQ1ZZZ 0127/173";
        QCOMPARE(line.size(), 47);
        const ListLineResult result = parser.parse(line, 0, now);
        QVERIFY(result.record);
        QVERIFY(result.record->title.isEmpty());
        QCOMPARE(bbsTime(*result.record), now); // 0127/173 is not a whole time
    }

    void sizeThatDoesNotConvertKeepsWhatItHas() {
        ListLineParser parser(canonicalColumns());
        const ListLineResult result =
            parser.parse("261700 BF   29x52 KRX   @WW     QQ1ZZZ 0127/1730 Bad size", 0, now);
        QVERIFY(result.sizeFault);
        QCOMPARE(result.record->size, 29);
    }

    void dateAndTimeAsTwoWords() {
        ListLineParser parser;
        const QByteArray line = "12345 B  1234 ALL   @WW    QQ1ZZZ 970510 12:34 Old one";
        const ListLineResult result = parser.parse(line, 0, now);
        QVERIFY(result.record);
        QCOMPARE(parser.columns().lst_title, 48);
        QCOMPARE(bbsTime(*result.record), QDateTime(QDate(1997, 5, 10), QTime(12, 34)));
        QCOMPARE(result.record->title.text(), QByteArray("Old one"));
    }

    void dayMonthDate() {
        ListLineParser parser;
        const ListLineResult result =
            parser.parse("12346 B  1234 ALL   @WW    QQ1ZZZ 10-MAR 0000 Sale", 0, now);
        QCOMPARE(bbsTime(*result.record), QDateTime(QDate(2026, 11, 10), QTime(0, 0, 1)));
        QCOMPARE(result.record->title.text(), QByteArray("Sale"));
    }

    void lineWithoutRouteLeavesTheLayoutInvalid() {
        ListLineParser parser;
        const ListLineResult result =
            parser.parse("12347 P  800 QQ1ZZZ QQ3ABC 0127/1730 To me", 0, now);
        QVERIFY(result.layoutChanged);
        QCOMPARE(parser.columns().lst_via, 0);
        QVERIFY(!parser.columns().valid());
        QVERIFY(result.record);
        QCOMPARE(result.record->kind, 'P');
        QCOMPARE(result.record->to.text(), QByteArray("QQ1ZZZ"));
        QVERIFY(result.record->via.isEmpty());
        QCOMPARE(result.record->from.text(), QByteArray("QQ3ABC"));
        QCOMPARE(result.record->title.text(), QByteArray("To me"));
    }

    void longFieldsAreCut() {
        ListLineParser parser(canonicalColumns());
        const QByteArray title(100, 'T');
        const ListLineResult result =
            parser.parse("261701 BF   29352 KRX   @WW     QQ1ZZZ 0127/1730 " + title, 0, now);
        QCOMPARE(result.record->title.text(), title.left(80));
    }

    void columnsAreLoadedAndSaved() {
        test::TempProgramDir home;
        home.write("KRX.INI", "[lista]\r\nlst_type=8\r\nlst_size=10\r\nlst_to=19\r\nlst_via=26\r\n"
                              "lst_from=33\r\nlst_time=40\r\nlst_title=50\r\n");
        IniFile ini(home.filePath("KRX.INI"));
        const ListColumns loaded = ListColumns::load(ini);
        QVERIFY(loaded.valid());
        QCOMPARE(loaded.numberEnd, 8);
        QCOMPARE(loaded.sizeEnd, 19);
        QCOMPARE(loaded.timeEnd, 50);

        ListColumns changed = loaded;
        changed.lst_size = 11;
        QVERIFY(!changed.save(ini));
        QCOMPARE(IniFile(home.filePath("KRX.INI")).readInteger("lista", "lst_size", 0), 11);
    }

    void columnWithoutGreaterNeighbourEndsAt1000() {
        ListColumns c;
        c.lst_type = 8;
        c.lst_size = 9;
        c.lst_to = 19;
        c.lst_via = 26;
        c.lst_from = 33;
        c.lst_title = 40;
        c.lst_time = 50; // the date after the title
        c.deriveEnds();
        QCOMPARE(c.timeEnd, 1000);
    }

    void unprotoHeader_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<char>("kind");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QByteArray>("via");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("route joined")
            << QByteArray("B 1234 ALL@WW QQ3ABC 250127 Hello world") << 'B' << 1234
            << QByteArray("ALL") << QByteArray("WW") << QByteArray("QQ3ABC") << QDate(2025, 1, 27)
            << QByteArray("Hello world");
        QTest::newRow("route after blanks")
            << QByteArray("PF 80 QQ1ZZZ  @QQ2BBS QQ3ABC 970510 Hi") << 'P' << 80
            << QByteArray("QQ1ZZZ") << QByteArray("QQ2BBS") << QByteArray("QQ3ABC")
            << QDate(1997, 5, 10) << QByteArray("Hi");
        QTest::newRow("@ after the 11th character is no route")
            << QByteArray("B 1234 ALL        @WW QQ3ABC 250127 T") << 'B' << 1234
            << QByteArray("ALL") << QByteArray() << QByteArray("@WW") << QDate(2026, 12, 11)
            << QByteArray("250127 T");
        QTest::newRow("no title") << QByteArray("B 5 ALL QQ3ABC 250127") << 'B' << 5
                                  << QByteArray("ALL") << QByteArray() << QByteArray("QQ3ABC")
                                  << QDate(2025, 1, 27) << QByteArray();
    }
    void unprotoHeader() {
        QFETCH(QByteArray, line);
        QFETCH(char, kind);
        QFETCH(int, size);
        QFETCH(QByteArray, to);
        QFETCH(QByteArray, via);
        QFETCH(QByteArray, from);
        QFETCH(QDate, date);
        QFETCH(QByteArray, title);
        const UnprotoHeader parsed = ParseUnprotoHeader(line, 1001, now, OemConversion());
        QCOMPARE(parsed.outcome, UnprotoHeader::Outcome::Parsed);
        const HeaderRecord &r = parsed.record;
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.status, ' ');
        QCOMPARE(r.size, size);
        QCOMPARE(r.to.text(), to);
        QCOMPARE(r.via.text(), via);
        QCOMPARE(r.from.text(), from);
        QCOMPARE(bbsTime(r), QDateTime(date, now.time()));
        QCOMPARE(r.title.text(), title);
        QCOMPARE(r.number, 1001);
        QCOMPARE(r.bbs_number, 1001);
        QCOMPARE(r.stored_time, toRecordDate(now));
    }

    void unprotoFailures_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<UnprotoHeader::Outcome>("outcome");
        QTest::newRow("size") << QByteArray("B 12x4 ALL QQ3ABC 250127 T")
                              << UnprotoHeader::Outcome::SizeError;
        QTest::newRow("no size") << QByteArray("B") << UnprotoHeader::Outcome::SizeError;
        QTest::newRow("no sender") << QByteArray("B 12 ALL") << UnprotoHeader::Outcome::Unreadable;
        QTest::newRow("empty") << QByteArray() << UnprotoHeader::Outcome::Unreadable;
    }
    void unprotoFailures() {
        QFETCH(QByteArray, line);
        QFETCH(UnprotoHeader::Outcome, outcome);
        QCOMPARE(ParseUnprotoHeader(line, 1001, now, OemConversion()).outcome, outcome);
    }

    void unprotoTitleIsConvertedFromOem() {
        const UnprotoHeader parsed =
            ParseUnprotoHeader("B 5 ALL QQ3ABC 250127 P\x84iv\x84\xe4", 7, now,
                               OemConversion(OemCodePage::Ibm850, true));
        QCOMPARE(parsed.record.title.text(), QByteArray("P\xe4iv\xe4\xf5"));
    }
};

QTEST_GUILESS_MAIN(HeaderParsingTest)
#include "test_headerparsing.moc"
