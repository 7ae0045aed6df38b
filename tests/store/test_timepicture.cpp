#include "store/TimePicture.h"

#include <QtTest>

using namespace krx;

class TimePictureTest : public QObject {
    Q_OBJECT

private slots:
    void formats_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("expected");
        // 24 December 2023 was a Sunday; 6 March 2024 a Wednesday; 28 June 2023 a Wednesday.
        const QDateTime christmas(QDate(2023, 12, 24), QTime(8, 5, 9));
        const QDateTime march(QDate(2024, 3, 6), QTime(17, 45, 30));
        const QDateTime june(QDate(2023, 6, 28), QTime(0, 0, 0));

        QTest::newRow("the default picture")
            << "dd.mm.yy\" \"hh:nn:ss" << false << christmas << "24.12.23 08:05:09";
        QTest::newRow("date separator, Finnish")
            << "dd/mm\" \"hh:nn" << false << christmas << "24.12 08:05";
        QTest::newRow("date separator, English")
            << "dd/mm\" \"hh:nn" << true << christmas << "24/12 08:05";
        QTest::newRow("one-letter fields")
            << "d/m/yyyy h:n:s" << false << march << "6.3.2024 17:45:30";
        QTest::newRow("one-letter fields, leading zeros dropped")
            << "d/m h:n:s" << true << christmas << "24/12 8:5:9";
        QTest::newRow("short and long day, Finnish")
            << "ddd dddd" << false << christmas << "su sunnuntai";
        QTest::newRow("short and long day, English")
            << "ddd dddd" << true << march << "Wed Wednesday";
        QTest::newRow("short and long month, Finnish")
            << "mmm mmmm" << false << june << QString::fromUtf8("kesä kesäkuu");
        QTest::newRow("short and long month, English")
            << "mmm mmmm" << true << march << "Mar March";
        QTest::newRow("mm after hh is minutes") << "hh:mm" << false << christmas << "08:05";
        QTest::newRow("m after h is minutes") << "h:m" << false << march << "17:45";
        QTest::newRow("a blank between keeps minutes") << "hh mm" << false << christmas << "08 05";
        QTest::newRow("a literal between keeps minutes")
            << "hh'h'mm" << false << christmas << "08h05";
        QTest::newRow("a letter between makes it the month")
            << "hh k mm" << false << christmas << "08 k 12";
        QTest::newRow("mm alone is the month") << "mm" << false << christmas << "12";
        QTest::newRow("capital letters")
            << "DD.MM.YYYY HH:NN" << false << march << "06.03.2024 17:45";
        QTest::newRow("two-digit year from one y") << "y" << false << march << "24";
        QTest::newRow("four-digit year from three y") << "yyy" << false << march << "2024";
        QTest::newRow("double-quoted text") << "\"klo\" hh" << false << march << "klo 17";
        QTest::newRow("single-quoted letters stay text") << "'dd mm'" << false << march << "dd mm";
        QTest::newRow("unclosed quote runs to the end")
            << "hh \"nn ss" << false << march << "17 nn ss";
        QTest::newRow("time separator") << "nn:ss" << true << march << "45:30";
        QTest::newRow("other characters copied") << "[dd]-x" << false << march << "[06]-x";
        QTest::newRow("empty picture") << "" << false << march << "";
    }
    void formats() {
        QFETCH(QString, picture);
        QFETCH(bool, english);
        QFETCH(QDateTime, time);
        QFETCH(QString, expected);
        const TimePicture formatter(picture, english ? Language::English : Language::Finnish);
        QCOMPARE(formatter.format(time), expected);
    }

    void namesFollowTheCalendar() {
        const TimePicture finnish(QStringLiteral("mmmm dddd"), Language::Finnish);
        const TimePicture english(QStringLiteral("mmm ddd"), Language::English);
        QCOMPARE(finnish.format(QDateTime(QDate(2024, 1, 1), QTime(12, 0))),
                 QString("tammikuu maanantai"));
        QCOMPARE(finnish.format(QDateTime(QDate(2024, 11, 2), QTime(12, 0))),
                 QString("marraskuu lauantai"));
        QCOMPARE(english.format(QDateTime(QDate(2024, 5, 3), QTime(12, 0))), QString("May Fri"));
        QCOMPARE(english.format(QDateTime(QDate(2024, 9, 3), QTime(12, 0))), QString("Sep Tue"));
    }

    void invalidTimeGivesNothing() {
        const TimePicture formatter(QStringLiteral("dd.mm.yy"), Language::Finnish);
        QCOMPARE(formatter.format(QDateTime()), QString());
    }
};

QTEST_GUILESS_MAIN(TimePictureTest)
#include "test_timepicture.moc"
