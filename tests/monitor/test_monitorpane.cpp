#include "monitor/MonitorPane.h"

#include <QSignalSpy>
#include <QtTest>

using namespace krx;

namespace {

// A line of `length` characters that tells which line it is.
QByteArray numberedLine(int number, int length) {
    QByteArray line = QByteArray::number(number).rightJustified(5, '0');
    return line + QByteArray(length - line.size(), 'x') + "\r\n";
}

} // namespace

class MonitorPaneTest : public QObject {
    Q_OBJECT

private slots:
    void endsEveryTextsLine_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("no line end") << QByteArray("abc") << QByteArray("abc\r\n");
        QTest::newRow("ends in CR") << QByteArray("abc\r") << QByteArray("abc\r\n");
        QTest::newRow("ends in CR LF") << QByteArray("abc\r\n") << QByteArray("abc\r\n");
        QTest::newRow("ends in LF") << QByteArray("a\nb\n") << QByteArray("a\nb\n");
        QTest::newRow("inner lone CRs") << QByteArray("a\r\rb\r") << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("inner CR, no end") << QByteArray("a\rb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("only CR") << QByteArray("\r") << QByteArray("\r\n");
    }

    void endsEveryTextsLine() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, shown);
        QCOMPARE(withLineEnds(text), shown);
    }

    void stylesByCode_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<uint>("rgb");
        QTest::addColumn<bool>("bold");
        QTest::newRow("0 not shown") << 0 << false << 0u << false;
        QTest::newRow("1 command reply") << 1 << true << 0x0000FFu << true;
        QTest::newRow("2 error reply") << 2 << true << 0x0000FFu << true;
        QTest::newRow("3 link status") << 3 << true << 0x0000FFu << true;
        QTest::newRow("4 header") << 4 << true << 0x0000FFu << false;
        QTest::newRow("5 header with contents") << 5 << true << 0x0000FFu << false;
        QTest::newRow("6 contents") << 6 << true << 0x000000u << false;
        QTest::newRow("7 connected data") << 7 << true << 0x000000u << false;
        QTest::newRow("8 own sent text") << 8 << true << 0x808080u << false;
        QTest::newRow("9 not a monitor code") << 9 << false << 0u << false;
    }

    void stylesByCode() {
        QFETCH(int, code);
        QFETCH(bool, shown);
        QFETCH(uint, rgb);
        QFETCH(bool, bold);
        const std::optional<MonitorStyle> style = styleOfCode(code);
        QCOMPARE(style.has_value(), shown);
        if (style) {
            QCOMPARE(uint(style->rgb), rgb);
            QCOMPARE(style->bold, bold);
        }
    }

    void keepsTheScrollLimitInLines() {
        MonitorPane pane;
        pane.setScrollLimit(3);
        QSignalSpy trimmed(&pane, &MonitorPane::trimmed);
        pane.append("one\r\ntwo\r\n", monitor_styles::contents);
        pane.append("three\r\nfour\r\nfi", monitor_styles::header);
        QCOMPARE(pane.text(), QByteArray("three\r\nfour\r\nfi"));
        QCOMPARE(pane.lineCount(), 3);
        pane.append("ve\r\n", monitor_styles::header);
        QCOMPARE(pane.text(), QByteArray("three\r\nfour\r\nfive\r\n"));
        QCOMPARE(trimmed.size(), 1);
        QCOMPARE(trimmed[0], (QVariantList{2, 0}));
        QCOMPARE(pane.characterCount(), pane.text().size());
    }

    void cutsTheFirst30000CharactersBeyond50000() {
        MonitorPane pane;
        pane.setScrollLimit(500);
        QSignalSpy trimmed(&pane, &MonitorPane::trimmed);
        for (int number = 1; number <= 49; ++number)
            pane.append(numberedLine(number, 1000), monitor_styles::contents);
        QCOMPARE(pane.characterCount(), 49 * 1002);
        QVERIFY(trimmed.isEmpty());
        pane.append(numberedLine(50, 1000), monitor_styles::contents); // 50100 characters
        // 29 whole lines are 29058 characters; the other 942 come off line 30.
        QCOMPARE(pane.characterCount(), 50100 - 30000);
        QCOMPARE(pane.lineCount(), 21);
        QCOMPARE(
            pane.text(), numberedLine(30, 1000).mid(942) + [] {
                QByteArray rest;
                for (int number = 31; number <= 50; ++number)
                    rest += numberedLine(number, 1000);
                return rest;
            }());
        QCOMPARE(trimmed.size(), 1);
        QCOMPARE(trimmed[0], (QVariantList{29, 942}));
    }

    void aCutEndingInsideCrLfTakesTheWholeLine() {
        MonitorPane pane;
        pane.append(QByteArray(29999, 'a') + "\r\n", monitor_styles::contents);
        QSignalSpy trimmed(&pane, &MonitorPane::trimmed);
        pane.append(QByteArray(20000, 'b') + "\r\n", monitor_styles::contents);
        QCOMPARE(pane.text(), QByteArray(20000, 'b') + "\r\n");
        QCOMPARE(trimmed.size(), 1);
        QCOMPARE(trimmed[0], (QVariantList{1, 0}));
    }

    void scrollLockStopsTrimmingUntilTheNextTextAfterIt() {
        MonitorPane pane;
        pane.setScrollLimit(2);
        QSignalSpy lock(&pane, &MonitorPane::scrollLockChanged);
        pane.setScrollLock(true);
        for (int number = 1; number <= 5; ++number)
            pane.append(numberedLine(number, 10), monitor_styles::contents);
        QCOMPARE(pane.lineCount(), 5);
        pane.setScrollLock(false);
        QCOMPARE(pane.lineCount(), 5);
        pane.append(numberedLine(6, 10), monitor_styles::contents);
        QCOMPARE(pane.text(), numberedLine(5, 10) + numberedLine(6, 10));
        QCOMPARE(lock.size(), 2);
        QCOMPARE(lock[0], QVariantList{true});
        QCOMPARE(lock[1], QVariantList{false});
    }

    void keepsStylesInRuns() {
        MonitorPane pane;
        QSignalSpy appended(&pane, &MonitorPane::appended);
        pane.append("fm QQ1ZZZ to QQ3NOD ctl I00^\r\n", monitor_styles::header);
        pane.append("Hello", monitor_styles::contents);
        pane.append(" there\r\n", monitor_styles::contents);
        pane.append("\r\nok\r\n", monitor_styles::commandReply);
        const std::vector<StyledRun> runs = pane.runs();
        QCOMPARE(runs.size(), size_t(3));
        QCOMPARE(runs[0].text, QByteArray("fm QQ1ZZZ to QQ3NOD ctl I00^\r\n"));
        QVERIFY(runs[0].style == monitor_styles::header);
        QCOMPARE(runs[1].text, QByteArray("Hello there\r\n"));
        QVERIFY(runs[1].style == monitor_styles::contents);
        QCOMPARE(runs[2].text, QByteArray("\r\nok\r\n"));
        QVERIFY(runs[2].style == monitor_styles::commandReply);
        QCOMPARE(pane.lineCount(), 4);
        QCOMPARE(appended.size(), 4);
        QCOMPARE(appended[1][0].toByteArray(), QByteArray("Hello"));
    }

    void lineEndsOfEveryKindCount() {
        MonitorPane pane;
        pane.setScrollLimit(2);
        pane.append("a\nb\rc\r\nd", monitor_styles::contents);
        QCOMPARE(pane.text(), QByteArray("c\r\nd"));
        QCOMPARE(pane.characterCount(), 4);
    }
};

QTEST_APPLESS_MAIN(MonitorPaneTest)
#include "test_monitorpane.moc"
