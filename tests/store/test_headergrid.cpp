#include "StoreFixture.h"
#include "TempProgramDir.h"
#include "core/IniFile.h"
#include "store/DateConversion.h"
#include "store/HeaderGridLayout.h"
#include "store/PendingHeaderChanges.h"

#include <QtTest>
#include <limits>

using namespace krx;
using krx::test::header;

namespace {

std::vector<qint32> numbersOf(const std::vector<HeaderRecord> &records) {
    std::vector<qint32> numbers;
    for (const HeaderRecord &record : records)
        numbers.push_back(record.number);
    return numbers;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<krx::HeaderField>)

class HeaderGridTest : public QObject {
    Q_OBJECT

private slots:
    void layoutFromSettings_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("column");
        QTest::addColumn<std::optional<HeaderField>>("field");
        QTest::newRow("defaults: eight columns")
            << QByteArray() << 8 << 0 << std::optional(HeaderField::Number);
        QTest::newRow("defaults: title last")
            << QByteArray() << 8 << 7 << std::optional(HeaderField::Title);
        QTest::newRow("time shown")
            << QByteArray("otsake_time=8\r\n") << 9 << 8 << std::optional(HeaderField::Time);
        QTest::newRow("title first") << QByteArray("otsake_title=0\r\notsake_numero=7\r\n") << 8
                                     << 0 << std::optional(HeaderField::Title);
        QTest::newRow("hidden field leaves an empty column")
            << QByteArray("otsake_via=-1\r\n") << 8 << 5 << std::optional<HeaderField>();
        QTest::newRow("gap widens the grid")
            << QByteArray("otsake_from=10\r\n") << 11 << 10 << std::optional(HeaderField::From);
        QTest::newRow("shared column shows the later field")
            << QByteArray("otsake_type=2\r\n") << 8 << 2 << std::optional(HeaderField::Status);
        QTest::newRow("absurd position hides the field")
            << QByteArray("otsake_title=2000000000\r\n") << 7 << 7 << std::optional<HeaderField>();
    }
    void layoutFromSettings() {
        QFETCH(QByteArray, section);
        QFETCH(int, columns);
        QFETCH(int, column);
        QFETCH(std::optional<HeaderField>, field);
        test::TempProgramDir home;
        home.write("KRX.INI", "[otsakelista]\r\n" + section);
        const HeaderGridLayout layout = HeaderGridLayout::load(IniFile(home.filePath("KRX.INI")));
        QCOMPARE(layout.columnCount(), columns);
        QCOMPARE(layout.fieldAt(column), field);
    }

    void timeFormatFromSettings() {
        test::TempProgramDir home;
        home.write("KRX.INI", "[otsakelista]\r\najan esitys muoto=dd/mm\" \"hh:nn\r\n");
        QCOMPARE(HeaderGridLayout::load(IniFile(home.filePath("KRX.INI"))).timeFormat,
                 QByteArray("dd/mm\" \"hh:nn"));
        home.write("KRX.INI", "[krx asetus]\r\n");
        QCOMPARE(HeaderGridLayout::load(IniFile(home.filePath("KRX.INI"))).timeFormat,
                 QByteArray("dd.mm.yy\" \"hh:nn:ss"));
    }

    void cellTexts_data() {
        QTest::addColumn<HeaderField>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << HeaderField::Number << "4711";
        QTest::newRow("type") << HeaderField::Type << "P";
        QTest::newRow("status blank") << HeaderField::Status << " ";
        QTest::newRow("size") << HeaderField::Size << "123456";
        QTest::newRow("to") << HeaderField::To << "QQ1ZZZ";
        QTest::newRow("via") << HeaderField::Via << "QQ2BBS.#QQ.FIN.EU";
        QTest::newRow("from") << HeaderField::From << "QQ3ABC";
        QTest::newRow("8-bit title") << HeaderField::Title << QString::fromUtf8("Pääsiäinen");
        QTest::newRow("time") << HeaderField::Time << "24.12.23 08:05";
    }
    void cellTexts() {
        QFETCH(HeaderField, field);
        QFETCH(QString, text);
        HeaderRecord record = header(4711, ' ', 'P', "QQ1ZZZ", "QQ3ABC", "P\xe4\xe4si\xe4inen");
        record.size = 123456;
        record.via = "QQ2BBS.#QQ.FIN.EU";
        record.bbs_time = toRecordDate(QDateTime(QDate(2023, 12, 24), QTime(8, 5)));
        const TimePicture picture(QStringLiteral("dd.mm.yy hh:nn"), Language::Finnish);
        QCOMPARE(headerCellText(record, field, picture), text);
    }

    void unusableTimeShowsNothing_data() {
        QTest::addColumn<double>("days");
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("beyond any calendar") << 1e300;
    }
    void unusableTimeShowsNothing() {
        QFETCH(double, days);
        HeaderRecord record = header(1);
        record.bbs_time = days;
        const TimePicture picture(QStringLiteral("dd.mm.yy"), Language::Finnish);
        QCOMPARE(headerCellText(record, HeaderField::Time, picture), QString());
    }

    void changesDuringReadingAreAppliedOnce_data() {
        QTest::addColumn<std::vector<qint32>>("read");
        QTest::addColumn<std::vector<qint32>>("expected");
        QTest::newRow("read before the appends")
            << std::vector<qint32>{1, 2} << std::vector<qint32>{1, 2, 3, 4};
        QTest::newRow("read saw one append")
            << std::vector<qint32>{1, 2, 3} << std::vector<qint32>{1, 2, 3, 4};
        QTest::newRow("read saw both appends")
            << std::vector<qint32>{1, 2, 3, 4} << std::vector<qint32>{1, 2, 3, 4};
    }
    void changesDuringReadingAreAppliedOnce() {
        QFETCH(std::vector<qint32>, read);
        QFETCH(std::vector<qint32>, expected);
        std::vector<HeaderRecord> records;
        for (const qint32 number : read)
            records.push_back(header(number));
        PendingHeaderChanges pending;
        pending.written(2, header(3));
        pending.written(3, header(4));
        pending.written(0, header(1, status::ToFetch)); // marked while the list was read
        pending.applyTo(records);
        QCOMPARE(numbersOf(records), expected);
        QCOMPARE(records[0].status, status::ToFetch);
    }

    void laterChangeOfAnAppendedHeaderWins() {
        std::vector<HeaderRecord> records{header(1)};
        PendingHeaderChanges pending;
        pending.written(1, header(2));
        pending.written(1, header(2, status::ToKill));
        pending.applyTo(records);
        QCOMPARE(numbersOf(records), (std::vector<qint32>{1, 2}));
        QCOMPARE(records[1].status, status::ToKill);
    }

    void headerBeyondTheListIsNotPut() {
        std::vector<HeaderRecord> records{header(1)};
        QVERIFY(!PendingHeaderChanges::put(records, 3, header(9)));
        QVERIFY(!PendingHeaderChanges::put(records, -1, header(9)));
        QCOMPARE(numbersOf(records), (std::vector<qint32>{1}));
        QVERIFY(PendingHeaderChanges::put(records, 1, header(2)));
        QCOMPARE(numbersOf(records), (std::vector<qint32>{1, 2}));
    }

    void clearedChangesApplyNothing() {
        std::vector<HeaderRecord> records{header(1)};
        PendingHeaderChanges pending;
        pending.written(1, header(2));
        QVERIFY(!pending.isEmpty());
        pending.clear();
        QVERIFY(pending.isEmpty());
        pending.applyTo(records);
        QCOMPARE(records.size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(HeaderGridTest)
#include "test_headergrid.moc"
