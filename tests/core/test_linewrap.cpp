#include "core/LineWrap.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray repeated(char c, int count) {
    return QByteArray(count, c);
}

// An 85-character line with its only blank at position 70.
QByteArray line85() {
    return repeated('a', 69) + ' ' + repeated('b', 15);
}

} // namespace

class LineWrapTest : public QObject {
    Q_OBJECT

private slots:
    void wraps_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray shortLines(
            "Hei kaikki,\r\n\r\nkokous on torstaina klo 19.\r\n73 de OH2AA\r\n");
        QTest::newRow("short lines unchanged") << shortLines << 80 << shortLines;
        QTest::newRow("85 characters cut after the blank at 70")
            << line85() + "\r\n"
            << 80 << repeated('a', 69) + " \r\n" + repeated('b', 15) + "\r\n";
        QTest::newRow("last long line without CR LF")
            << line85() << 80 << repeated('a', 69) + " \r\n" + repeated('b', 15) + "\r\n";
        QTest::newRow("cut after the last of several blanks")
            << QByteArray("aaa bbb ccc dddd\r\n") << 10 << QByteArray("aaa bbb \r\nccc dddd\r\n");
        QTest::newRow("no blank: hard cut")
            << repeated('x', 100) << 80 << repeated('x', 80) + "\r\n" + repeated('x', 20) + "\r\n";
        QTest::newRow("blank at position 1 does not count")
            << " " + repeated('x', 99) << 80
            << " " + repeated('x', 79) + "\r\n" + repeated('x', 20) + "\r\n";
        QTest::newRow("blank at position 2 counts")
            << "x " + repeated('y', 98) << 80
            << "x \r\n" + repeated('y', 80) + "\r\n" + repeated('y', 18) + "\r\n";
        QTest::newRow("CR exactly at the width") << repeated('a', 9) + "\r\nb\r\n"
                                                 << 10 << repeated('a', 9) + "\r\nb\r\n";
        QTest::newRow("CR just past the width with a blank")
            << QByteArray("aaaa bbbbb\r\n") << 10 << QByteArray("aaaa \r\nbbbbb\r\n");
        QTest::newRow("CR just past the width without a blank gives no empty line")
            << repeated('a', 10) + "\r\nb\r\n"
            << 10 << repeated('a', 10) + "\r\nb\r\n";
        QTest::newRow("blank at the width before CR gives no empty line")
            << QByteArray("aaaaaaaaa \r\nb") << 10 << QByteArray("aaaaaaaaa \r\nb\r\n");
        QTest::newRow("short last line without CR LF stays whole")
            << QByteArray("Hei\r\n73 de OH2AA") << 80 << QByteArray("Hei\r\n73 de OH2AA\r\n");
        QTest::newRow("lone CR and LF are not line ends")
            << QByteArray("a\rb\nc") << 80 << QByteArray("a\rb\nc\r\n");
        QTest::newRow("empty") << QByteArray() << 80 << QByteArray();
        QTest::newRow("only CR LF") << QByteArray("\r\n") << 80 << QByteArray("\r\n");
        QTest::newRow("quoting at 79")
            << "> " + repeated('q', 60) + " " + repeated('r', 30) + "\r\nok\r\n"
            << 79 << "> " + repeated('q', 60) + " \r\n" + repeated('r', 30) + "\r\nok\r\n";
        QTest::newRow("width 1") << QByteArray("ab c") << 1 << QByteArray("a\r\nb\r\n \r\nc\r\n");
        QTest::newRow("zero width counts as 1")
            << QByteArray("ab") << 0 << QByteArray("a\r\nb\r\n");
        QTest::newRow("negative width counts as 1")
            << QByteArray("ab") << -5 << QByteArray("a\r\nb\r\n");
    }
    void wraps() {
        QFETCH(QByteArray, text);
        QFETCH(int, width);
        QFETCH(QByteArray, expected);
        QCOMPARE(krx::wrapLines(text, width), expected);
    }

    // On any text: no line grows past the width, nothing but line ends is added, the result
    // ends with CR LF, and text that is already wrapped is left alone.
    void keepsTheTextAndTheWidth() {
        QRandomGenerator random(4711);
        const QByteArray alphabet("ab  c\r\n\r\n\rx");
        for (int round = 0; round < 500; ++round) {
            QByteArray text;
            const int length = random.bounded(200);
            for (int i = 0; i < length; ++i)
                text.append(alphabet.at(random.bounded(alphabet.size())));
            const int width = 1 + random.bounded(30);
            const QByteArray wrapped = krx::wrapLines(text, width);
            QCOMPARE(QByteArray(wrapped).replace("\r\n", ""), QByteArray(text).replace("\r\n", ""));
            if (text.isEmpty())
                continue;
            QVERIFY(wrapped.endsWith("\r\n"));
            const QList<QByteArray> lines = wrapped.chopped(2).split('\n');
            for (const QByteArray &line : lines)
                QVERIFY2(line.size() <= width + 1, text.toPercentEncoding().constData());
            QCOMPARE(krx::wrapLines(wrapped, width + 1), wrapped);
        }
    }
};

QTEST_GUILESS_MAIN(LineWrapTest)
#include "test_linewrap.moc"
