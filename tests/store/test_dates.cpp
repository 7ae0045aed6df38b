#include "store/BbsDate.h"
#include "store/DateConversion.h"

#include <QtTest>
#include <ctime>

using namespace krx;

namespace {

const QDateTime now(QDate(2026, 12, 11), QTime(14, 37, 5));

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

} // namespace

class DatesTest : public QObject {
    Q_OBJECT

private slots:
    void recordDates_data() {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<double>("days");
        QTest::newRow("epoch") << at(1899, 12, 30) << 0.0;
        QTest::newRow("noon next day") << at(1899, 12, 31, 12) << 1.5;
        QTest::newRow("2000-01-01 06:00") << at(2000, 1, 1, 6) << 36526.25;
        QTest::newRow("before the epoch counts the time forward") << at(1899, 12, 29, 6) << -1.25;
    }
    void recordDates() {
        QFETCH(QDateTime, time);
        QFETCH(double, days);
        QCOMPARE(toRecordDate(time), days);
        QCOMPARE(fromRecordDate(days), time);
    }

    void wholeDaysTruncate() {
        QCOMPARE(wholeDays(46000.99), qint64(46000));
        QCOMPARE(wholeDays(46001.0), qint64(46001));
    }

    void timeOfDaySurvivesTheRoundTrip() {
        const QDateTime time = at(2026, 12, 11, 23, 59, 59);
        QCOMPARE(fromRecordDate(toRecordDate(time)), time);
    }

    void muunnaAikaGivesTheBrokenDownLocalTime_data() {
        QTest::addColumn<qint32>("stamp");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<int>("dayOfWeek");
        QTest::addColumn<int>("dayOfYear");
        QTest::newRow("1970") << qint32(0) << at(1970, 1, 1) << 4 << 0;
        QTest::newRow("2023") << qint32(0x6553f100) << at(2023, 11, 14, 22, 13, 20) << 2 << 317;
        QTest::newRow("last second") << qint32(INT32_MAX) << at(2038, 1, 19, 3, 14, 7) << 2 << 18;
        QTest::newRow("before 1970 is clamped") << qint32(-86400) << at(1970, 1, 1) << 4 << 0;
        QTest::newRow("most negative is clamped") << qint32(INT32_MIN) << at(1970, 1, 1) << 4 << 0;
    }
    void muunnaAikaGivesTheBrokenDownLocalTime() {
        QFETCH(qint32, stamp);
        QFETCH(QDateTime, expected);
        QFETCH(int, dayOfWeek);
        QFETCH(int, dayOfYear);
        const BrokenDownTime t = muunna_aika(stamp);
        QCOMPARE(dateTimeOf(t), expected);
        QCOMPARE(t.month, expected.date().month());
        QCOMPARE(t.year, expected.date().year());
        QCOMPARE(t.dayOfWeek, dayOfWeek);
        QCOMPARE(t.dayOfYear, dayOfYear);
        QCOMPARE(t.daylightSaving, 0);
    }

    void monthTableFindsTheFirstMatch_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("month");
        QTest::newRow("TAM") << QByteArray("TAM") << 1;
        QTest::newRow("JOU") << QByteArray("JOU") << 12;
        QTest::newRow("MAR is Finnish November") << QByteArray("MAR") << 11;
        QTest::newRow("MAJ") << QByteArray("MAJ") << 5;
        QTest::newRow("OKT") << QByteArray("OKT") << 10;
        QTest::newRow("MAY") << QByteArray("MAY") << 5;
        QTest::newRow("OCT") << QByteArray("OCT") << 10;
        QTest::newRow("DEC") << QByteArray("DEC") << 12;
        QTest::newRow("ERR is never found") << QByteArray("ERR") << 1;
        QTest::newRow("unknown") << QByteArray("XYZ") << 1;
    }
    void monthTableFindsTheFirstMatch() {
        QFETCH(QByteArray, name);
        QFETCH(int, month);
        QCOMPARE(monthOfName(name), month);
    }

    void listingDateForms_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("MMDD/HHMM") << QByteArray("0127/1730") << at(2026, 1, 27, 17, 30);
        QTest::newRow("DD-MON Finnish first") << QByteArray("10-MAR") << at(2026, 11, 10, 0, 0, 1);
        QTest::newRow("DD-mon upper-cased") << QByteArray("05-jan") << at(2026, 1, 5, 0, 0, 1);
        QTest::newRow("DD-unknown is January") << QByteArray("10-XYZ") << at(2026, 1, 10, 0, 0, 1);
        QTest::newRow("YYMMDD from 1900") << QByteArray("970510 12:34") << at(1997, 5, 10, 12, 34);
        QTest::newRow("YYMMDD from 2000") << QByteArray("010509 08:15") << at(2001, 5, 9, 8, 15);
        QTest::newRow("month 13 gives now") << QByteArray("1327/1730") << now;
        QTest::newRow("30 February gives now") << QByteArray("0230/1200") << now;
        QTest::newRow("letters give now") << QByteArray("ab27/1730") << now;
        QTest::newRow("too short gives now") << QByteArray("0127/17") << now;
        QTest::newRow("empty gives now") << QByteArray() << now;
        QTest::newRow("hour 25 gives now") << QByteArray("010509 25:15") << now;
    }
    void listingDateForms() {
        QFETCH(QByteArray, text);
        QFETCH(QDateTime, expected);
        QCOMPARE(listingDateTime(text, now), expected);
    }

    void unprotoDateForms_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QDateTime>("expected");
        const QTime time = now.time();
        QTest::newRow("9 gives 1900")
            << QByteArray("970510") << QDateTime(QDate(1997, 5, 10), time);
        QTest::newRow("six digits from 2000")
            << QByteArray("250127") << QDateTime(QDate(2025, 1, 27), time);
        QTest::newRow("seven: first skipped")
            << QByteArray("X250127") << QDateTime(QDate(2025, 1, 27), time);
        QTest::newRow("invalid gives now") << QByteArray("251327") << now;
        QTest::newRow("short gives now") << QByteArray("2501") << now;
    }
    void unprotoDateForms() {
        QFETCH(QByteArray, word);
        QFETCH(QDateTime, expected);
        QCOMPARE(unprotoDateTime(word, now), expected);
    }
};

int main(int argc, char *argv[]) {
    // The time stamp conversion shows local time; the expected values are for UTC.
    qputenv("TZ", "UTC");
    tzset();
    QCoreApplication app(argc, argv);
    DatesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dates.moc"
