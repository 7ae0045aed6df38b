#include "terminal/RxLineModel.h"

#include <QSignalSpy>
#include <QtTest>

using namespace krx;

namespace {

QByteArrayList linesOf(const RxLineModel &model) {
    QByteArrayList lines;
    for (int i = 0; i < model.lineCount(); ++i)
        lines << model.line(i);
    return lines;
}

QByteArray numberedLines(int from, int to) {
    QByteArray text;
    for (int n = from; n <= to; ++n)
        text += QByteArray::number(n) + "\r\n";
    return text;
}

} // namespace

class RxLineModelTest : public QObject {
    Q_OBJECT

private slots:
    void normalisesLineEnds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("CR at the end") << QByteArray("abc\r") << QByteArray("abc\r\n");
        QTest::newRow("CR inside") << QByteArray("a\rb") << QByteArray("a\r\nb");
        QTest::newRow("CR LF kept") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone LF kept") << QByteArray("a\nb") << QByteArray("a\nb");
        QTest::newRow("two CRs") << QByteArray("\r\r") << QByteArray("\r\n\r\n");
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\n") << QByteArray("a\r\n\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void normalisesLineEnds() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(normaliseLineEnds(text), expected);
    }

    void splitsTextsIntoLines_data() {
        QTest::addColumn<QByteArrayList>("texts");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<bool>("lastComplete");
        QTest::addColumn<qsizetype>("characters");
        QTest::newRow("one complete line")
            << QByteArrayList{"abc\r\n"} << QByteArrayList{"abc"} << true << qsizetype(5);
        QTest::newRow("incomplete line")
            << QByteArrayList{"abc"} << QByteArrayList{"abc"} << false << qsizetype(3);
        QTest::newRow("line continued by the next text")
            << QByteArrayList{"ab", "c\r\nde"} << QByteArrayList{"abc", "de"} << false
            << qsizetype(7);
        QTest::newRow("lone LF ends a line")
            << QByteArrayList{"a\nb\n"} << QByteArrayList{"a", "b"} << true << qsizetype(4);
        QTest::newRow("empty lines")
            << QByteArrayList{"\r\n\r\n"} << QByteArrayList{"", ""} << true << qsizetype(4);
        QTest::newRow("nothing") << QByteArrayList{""} << QByteArrayList{} << false << qsizetype(0);
    }
    void splitsTextsIntoLines() {
        QFETCH(QByteArrayList, texts);
        QFETCH(QByteArrayList, lines);
        QFETCH(bool, lastComplete);
        QFETCH(qsizetype, characters);
        RxLineModel model(30);
        for (const QByteArray &text : texts)
            model.append(text, 7);
        QCOMPARE(linesOf(model), lines);
        QCOMPARE(model.lastLineComplete(), lastComplete);
        QCOMPARE(model.lastLine(), lines.isEmpty() ? QByteArray() : lines.last());
        QCOMPARE(model.characterCount(), characters);
    }

    void keepsRunsOfDisplayCodes() {
        RxLineModel model(30);
        model.append("abc", 7);
        model.append("de", 8);
        model.append("f\r\ng", 8);
        QCOMPARE(model.runs(0).size(), size_t(2));
        QCOMPARE(model.runs(0)[0].code, 7);
        QCOMPARE(model.runs(0)[0].length, 3);
        QCOMPARE(model.runs(0)[1].code, 8);
        QCOMPARE(model.runs(0)[1].length, 3);
        QCOMPARE(model.runs(1).size(), size_t(1));
    }

    void trimsToTheScrollLimit() {
        RxLineModel model(3);
        QSignalSpy removed(&model, &RxLineModel::frontRemoved);
        model.append(numberedLines(1, 3), 7);
        QCOMPARE(model.lineCount(), 3);
        model.markProcedureStart(); // the next line, "4", starts a procedure
        model.append(numberedLines(4, 5), 7);
        QCOMPARE(linesOf(model), (QByteArrayList{"3", "4", "5"}));
        QCOMPARE(model.procedureStartLine(), 1);
        QCOMPARE(model.line(model.procedureStartLine()), QByteArray("4"));
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.last(), (QVariantList{2, 0}));
    }

    void procedureStartLineStopsAtZero() {
        RxLineModel model(2);
        model.append(numberedLines(1, 2), 7);
        model.setProcedureStartLine(1);
        model.append(numberedLines(3, 5), 7);
        QCOMPARE(model.procedureStartLine(), 0);
    }

    void anIncompleteLastLineCountsAsALine() {
        RxLineModel model(2);
        model.append("1\r\n2\r\n3", 7);
        QCOMPARE(linesOf(model), (QByteArrayList{"2", "3"}));
        QVERIFY(!model.lastLineComplete());
    }

    void keepsAtLeastOneLine() {
        RxLineModel model(0);
        QCOMPARE(model.scrollLimit(), 1);
        model.append("a\r\nb", 7);
        QCOMPARE(linesOf(model), QByteArrayList{"b"});
    }

    void dropsTheOldestCharactersBeyondTheTextLimit_data() {
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<int>("expectedLines");
        QTest::addColumn<int>("expectedFirstLength");
        QTest::addColumn<qsizetype>("expectedCharacters");
        QTest::addColumn<QVariantList>("lastRemoval");
        // Seven lines of 10000 characters with their line ends: the oldest whole line goes.
        QTest::newRow("cut at a line end") << 9998 << 7 << QByteArray("\r\n") << 6 << 9998
                                           << qsizetype(60000) << QVariantList{1, 0};
        // Three long lines: the cut falls inside the first one.
        QTest::newRow("cut inside a line") << 25000 << 3 << QByteArray("\r\n") << 3 << 15000
                                           << qsizetype(65006) << QVariantList{0, 10000};
        // Lines of 10001 characters: the cut falls between CR and LF, and that line goes whole.
        QTest::newRow("cut inside a line end") << 9999 << 7 << QByteArray("\r\n") << 5 << 9999
                                               << qsizetype(50005) << QVariantList{1, 0};
        // Exactly 60000 characters are kept as they are.
        QTest::newRow("at the limit")
            << 9998 << 6 << QByteArray("\r\n") << 6 << 9998 << qsizetype(60000) << QVariantList{};
    }
    void dropsTheOldestCharactersBeyondTheTextLimit() {
        QFETCH(int, lineLength);
        QFETCH(int, lines);
        QFETCH(QByteArray, lineEnd);
        QFETCH(int, expectedLines);
        QFETCH(int, expectedFirstLength);
        QFETCH(qsizetype, expectedCharacters);
        QFETCH(QVariantList, lastRemoval);
        RxLineModel model(500);
        QSignalSpy removed(&model, &RxLineModel::frontRemoved);
        for (int i = 0; i < lines; ++i)
            model.append(QByteArray(lineLength, char('a' + i)) + lineEnd, 7);
        QCOMPARE(model.lineCount(), expectedLines);
        QCOMPARE(model.line(0).size(), expectedFirstLength);
        QCOMPARE(model.characterCount(), expectedCharacters);
        QCOMPARE(removed.isEmpty() ? QVariantList{} : removed.last(), lastRemoval);
    }

    void runsFollowAPartialCut() {
        RxLineModel model(500);
        model.append(QByteArray(30000, 'a'), 1);
        model.append(QByteArray(30001, 'b'), 2);
        QCOMPARE(model.lineCount(), 1);
        QCOMPARE(model.line(0).size(), 50001);
        QCOMPARE(model.runs(0)[0].code, 1);
        QCOMPARE(model.runs(0)[0].length, 20000);
        QCOMPARE(model.runs(0)[1].length, 30001);
    }

    void scrollLockStopsTrimmingUntilTheNextTextAfterIt() {
        RxLineModel model(3);
        model.setScrollLock(true);
        model.append(numberedLines(1, 10), 7);
        QCOMPARE(model.lineCount(), 10);
        model.setScrollLock(false);
        QCOMPARE(model.lineCount(), 10);
        model.append("11\r\n", 7);
        QCOMPARE(linesOf(model), (QByteArrayList{"9", "10", "11"}));
    }
};

QTEST_GUILESS_MAIN(RxLineModelTest)
#include "test_rxlinemodel.moc"
