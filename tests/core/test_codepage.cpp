#include "core/CodePage.h"
#include "core/OemConversion.h"

#include <QStringDecoder>
#include <QtTest>

using krx::CodePage;
using krx::OemCodePage;
using krx::OemConversion;

Q_DECLARE_METATYPE(CodePage)
Q_DECLARE_METATYPE(OemCodePage)

namespace {

// Byte value -> the character the platform gives for it.
using ByteOverrides = QHash<int, int>;

QByteArray byte(int value) {
    return QByteArray(1, char(value));
}

void addOemPages() {
    QTest::addColumn<OemCodePage>("page");
    QTest::newRow("850") << OemCodePage::Ibm850;
    QTest::newRow("437") << OemCodePage::Ibm437;
}

} // namespace

class CodePageTest : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips_data() {
        QTest::addColumn<CodePage>("page");
        QTest::newRow("1252") << CodePage::Windows1252;
        QTest::newRow("850") << CodePage::Ibm850;
        QTest::newRow("437") << CodePage::Ibm437;
    }
    void everyByteRoundTrips() {
        QFETCH(CodePage, page);
        for (int value = 0; value < 256; ++value) {
            const char16_t character = krx::toUnicode(page, char(value));
            if (value < 128)
                QCOMPARE(int(character), value);
            QCOMPARE(krx::fromUnicode(page, character), std::optional<char>(char(value)));
        }
    }

    // The platform's ICU converters are an independent source for the same tables. Where
    // ICU differs from Windows, Windows wins: its 437 has the micro sign, not Greek mu.
    void tablesAgreeWithIcu_data() {
        QTest::addColumn<CodePage>("page");
        QTest::addColumn<QString>("icuName");
        QTest::addColumn<ByteOverrides>("windowsDiffers");
        QTest::newRow("1252")
            << CodePage::Windows1252 << "windows-1252"
            << ByteOverrides{{0x81, 0x81}, {0x8D, 0x8D}, {0x8F, 0x8F}, {0x90, 0x90}, {0x9D, 0x9D}};
        QTest::newRow("850") << CodePage::Ibm850 << "IBM850" << ByteOverrides{};
        QTest::newRow("437") << CodePage::Ibm437 << "IBM437" << ByteOverrides{{0xE6, 0xB5}};
    }
    void tablesAgreeWithIcu() {
        QFETCH(CodePage, page);
        QFETCH(QString, icuName);
        QFETCH(ByteOverrides, windowsDiffers);
        QStringDecoder decoder(icuName.toLatin1().constData());
        if (!decoder.isValid())
            QSKIP("no ICU converter for this code page");
        for (int value = 128; value < 256; ++value) {
            const QString expected = windowsDiffers.contains(value)
                                         ? QString(QChar(windowsDiffers.value(value)))
                                         : decoder(byte(value));
            QCOMPARE(QString(QChar(krx::toUnicode(page, char(value)))), expected);
        }
    }

    void finnishLettersMapBothWays_data() {
        QTest::addColumn<OemCodePage>("page");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("ansi");
        QTest::addColumn<int>("oem");
        const struct {
            const char *utf8;
            int ansi;
            int oem;
        } letters[] = {{"ä", 0xE4, 0x84}, {"ö", 0xF6, 0x94}, {"å", 0xE5, 0x86},
                       {"Ä", 0xC4, 0x8E}, {"Ö", 0xD6, 0x99}, {"Å", 0xC5, 0x8F}};
        for (const auto page : {OemCodePage::Ibm850, OemCodePage::Ibm437}) {
            for (const auto &letter : letters) {
                QTest::addRow("%s %s", page == OemCodePage::Ibm850 ? "850" : "437", letter.utf8)
                    << page << QString::fromUtf8(letter.utf8) << letter.ansi << letter.oem;
            }
        }
    }
    void finnishLettersMapBothWays() {
        QFETCH(OemCodePage, page);
        QFETCH(QString, letter);
        QFETCH(int, ansi);
        QFETCH(int, oem);
        QCOMPARE(krx::stringToAnsi(letter), byte(ansi));
        QCOMPARE(krx::ansiToString(byte(ansi)), letter);
        QCOMPARE(krx::ansiToOem(byte(ansi), page), byte(oem));
        QCOMPARE(krx::oemToAnsi(byte(oem), page), byte(ansi));
    }

    void missingCharactersBecomePlainOnes_data() {
        QTest::addColumn<bool>("toOem");
        QTest::addColumn<OemCodePage>("page");
        QTest::addColumn<int>("from");
        QTest::addColumn<QByteArray>("expected");
        const auto oemIn = [](const char *name, OemCodePage page, int from, const char *to) {
            QTest::newRow(name) << false << page << from << QByteArray(to);
        };
        const auto ansiIn = [](const char *name, OemCodePage page, int from, const char *to) {
            QTest::newRow(name) << true << page << from << QByteArray(to);
        };
        oemIn("850 light horizontal", OemCodePage::Ibm850, 0xC4, "-");
        oemIn("850 double horizontal", OemCodePage::Ibm850, 0xCD, "-");
        oemIn("850 light vertical", OemCodePage::Ibm850, 0xB3, "|");
        oemIn("850 double vertical", OemCodePage::Ibm850, 0xBA, "|");
        oemIn("850 corner", OemCodePage::Ibm850, 0xDA, "+");
        oemIn("850 double corner", OemCodePage::Ibm850, 0xC9, "+");
        oemIn("850 cross", OemCodePage::Ibm850, 0xC5, "+");
        oemIn("850 tee", OemCodePage::Ibm850, 0xB4, "+");
        oemIn("437 mixed tee", OemCodePage::Ibm437, 0xB5, "+");
        oemIn("437 mixed cross", OemCodePage::Ibm437, 0xD8, "+");
        oemIn("437 double horizontal", OemCodePage::Ibm437, 0xCD, "-");
        oemIn("850 dotless i", OemCodePage::Ibm850, 0xD5, "i");
        oemIn("850 shade", OemCodePage::Ibm850, 0xB0, "?");
        oemIn("437 alpha", OemCodePage::Ibm437, 0xE0, "?");
        oemIn("437 infinity", OemCodePage::Ibm437, 0xEC, "?");
        oemIn("850 present in ANSI", OemCodePage::Ibm850, 0xB7, "\xC0");
        oemIn("437 present in ANSI", OemCodePage::Ibm437, 0xE1, "\xDF");
        ansiIn("437 A grave", OemCodePage::Ibm437, 0xC0, "A");
        ansiIn("437 o tilde", OemCodePage::Ibm437, 0xF5, "o");
        ansiIn("437 Y acute", OemCodePage::Ibm437, 0xDD, "Y");
        ansiIn("850 A grave exact", OemCodePage::Ibm850, 0xC0, "\xB7");
        ansiIn("850 S caron", OemCodePage::Ibm850, 0x8A, "S");
        ansiIn("850 Y diaeresis", OemCodePage::Ibm850, 0x9F, "Y");
        ansiIn("850 left double quote", OemCodePage::Ibm850, 0x93, "\"");
        ansiIn("850 low double quote", OemCodePage::Ibm850, 0x84, "\"");
        ansiIn("437 right single quote", OemCodePage::Ibm437, 0x92, "'");
        ansiIn("850 en dash", OemCodePage::Ibm850, 0x96, "-");
        ansiIn("437 em dash", OemCodePage::Ibm437, 0x97, "-");
        ansiIn("850 euro", OemCodePage::Ibm850, 0x80, "?");
        ansiIn("850 trade mark is not T", OemCodePage::Ibm850, 0x99, "?");
        ansiIn("437 ellipsis", OemCodePage::Ibm437, 0x85, "?");
        ansiIn("437 O stroke", OemCodePage::Ibm437, 0xD8, "?");
        ansiIn("850 undefined byte", OemCodePage::Ibm850, 0x81, "?");
    }
    void missingCharactersBecomePlainOnes() {
        QFETCH(bool, toOem);
        QFETCH(OemCodePage, page);
        QFETCH(int, from);
        QFETCH(QByteArray, expected);
        QCOMPARE(toOem ? krx::ansiToOem(byte(from), page) : krx::oemToAnsi(byte(from), page),
                 expected);
    }

    // Whatever both code pages hold is carried over exactly; anything else becomes ASCII.
    void conversionIsExactWherePossible_data() { addOemPages(); }
    void conversionIsExactWherePossible() {
        QFETCH(OemCodePage, page);
        const CodePage oem = krx::codePageOf(page);
        for (int value = 0; value < 256; ++value) {
            const struct {
                CodePage from, to;
                QByteArray converted;
            } directions[] = {{oem, CodePage::Windows1252, krx::oemToAnsi(byte(value), page)},
                              {CodePage::Windows1252, oem, krx::ansiToOem(byte(value), page)}};
            for (const auto &direction : directions) {
                QCOMPARE(direction.converted.size(), 1);
                const auto exact =
                    krx::fromUnicode(direction.to, krx::toUnicode(direction.from, char(value)));
                if (exact)
                    QCOMPARE(direction.converted.at(0), *exact);
                else
                    QVERIFY2(uchar(direction.converted.at(0)) < 0x80,
                             qPrintable(QString::number(value)));
            }
        }
    }

    void latin1LettersSurviveTheTripThrough850() {
        for (int value = 0xA0; value < 256; ++value) {
            const QByteArray ansi = byte(value);
            QCOMPARE(krx::oemToAnsi(krx::ansiToOem(ansi, OemCodePage::Ibm850), OemCodePage::Ibm850),
                     ansi);
        }
    }

    void displayTextRoundTrips() {
        QByteArray everyByte;
        for (int value = 0; value < 256; ++value)
            everyByte.append(char(value));
        const QString text = krx::ansiToString(everyByte);
        QCOMPARE(text.size(), 256);
        QCOMPARE(krx::stringToAnsi(text), everyByte);
        QCOMPARE(krx::ansiToString("Hyv\xE4\xE4 p\xE4iv\xE4\xE4 \x80"),
                 QString::fromUtf8("Hyvää päivää €"));
    }

    void typedTextOutsideAnsi_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("double acute loses accent")
            << QString::fromUtf8("Erdős") << QByteArray("Erdos");
        QTest::newRow("double decomposition") << QString::fromUtf8("ǖ") << QByteArray("\xFC");
        QTest::newRow("box drawing") << QString::fromUtf8("┌─┐│╞╪╡") << QByteArray("+-+|+++");
        QTest::newRow("heavy, dashed and half lines")
            << QString::fromUtf8("━┃┅┇╍╏╴╵╶╷╼╽") << QByteArray("-|-|-|-|-|-|");
        QTest::newRow("diagonals") << QString::fromUtf8("╱╲╳") << QByteArray("/\\X");
        QTest::newRow("typographic marks")
            << QString::fromUtf8("‛x‟ ‐ ―") << QByteArray("'x\" - -");
        QTest::newRow("symbol") << QString::fromUtf8("a☺b") << QByteArray("a?b");
        QTest::newRow("outside the BMP is one character")
            << QString::fromUtf8("a😀b") << QByteArray("a?b");
        QTest::newRow("C1 control kept") << QString(QChar(0x9D)) << QByteArray("\x9D");
    }
    void typedTextOutsideAnsi() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        QCOMPARE(krx::stringToAnsi(typed), expected);
    }

    void settingChoosesTheOemCodePage_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<OemCodePage>("expected");
        QTest::newRow("437") << 437 << OemCodePage::Ibm437;
        QTest::newRow("850") << 850 << OemCodePage::Ibm850;
        QTest::newRow("absent") << 0 << OemCodePage::Ibm850;
        QTest::newRow("other") << 1252 << OemCodePage::Ibm850;
        QTest::newRow("negative") << -437 << OemCodePage::Ibm850;
    }
    void settingChoosesTheOemCodePage() {
        QFETCH(int, setting);
        QFETCH(OemCodePage, expected);
        QCOMPARE(krx::oemCodePageFromSetting(setting), expected);
    }

    // 0xE1 is a letter in both OEM pages (850 and 437: sharp s) and outside the trigger range,
    // so it shows whether the whole text was converted.
    void receivedTextConvertsOnlyWhenItLooksLikeOem_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<OemCodePage>("page");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("128 does not trigger")
            << true << OemCodePage::Ibm850 << QByteArray("\xE1 \x80") << QByteArray("\xE1 \x80");
        QTest::newRow("159 does not trigger")
            << true << OemCodePage::Ibm850 << QByteArray("\xE1 \x9F") << QByteArray("\xE1 \x9F");
        QTest::newRow("129 triggers")
            << true << OemCodePage::Ibm850 << QByteArray("\xE1 \x81") << QByteArray("\xDF \xFC");
        QTest::newRow("158 triggers")
            << true << OemCodePage::Ibm850 << QByteArray("\xE1 \x9E") << QByteArray("\xDF \xD7");
        QTest::newRow("plain ASCII") << true << OemCodePage::Ibm850 << QByteArray("RR de OH2AA\r")
                                     << QByteArray("RR de OH2AA\r");
        QTest::newRow("switched off")
            << false << OemCodePage::Ibm850 << QByteArray("\x84\x94") << QByteArray("\x84\x94");
        QTest::newRow("850 o slash")
            << true << OemCodePage::Ibm850 << QByteArray("\x9B") << QByteArray("\xF8");
        QTest::newRow("437 cent") << true << OemCodePage::Ibm437 << QByteArray("\x9B")
                                  << QByteArray("\xA2");
        QTest::newRow("437 box line")
            << true << OemCodePage::Ibm437 << QByteArray("\x84\xC4\xB3") << QByteArray("\xE4-|");
    }
    void receivedTextConvertsOnlyWhenItLooksLikeOem() {
        QFETCH(bool, enabled);
        QFETCH(OemCodePage, page);
        QFETCH(QByteArray, received);
        QFETCH(QByteArray, expected);
        QCOMPARE(OemConversion(page, enabled).receivedToAnsi(received), expected);
    }

    void outgoingTextConvertsWhenOn() {
        OemConversion conversion(OemCodePage::Ibm437, true);
        QCOMPARE(conversion.outgoingToOem("P\xE4\xE4 \xC0"), QByteArray("P\x84\x84 A"));
        conversion.setEnabled(false);
        QVERIFY(!conversion.isEnabled());
        QCOMPARE(conversion.outgoingToOem("P\xE4\xE4 \xC0"), QByteArray("P\xE4\xE4 \xC0"));
        QCOMPARE(conversion.receivedToAnsi("P\x84\x84"), QByteArray("P\x84\x84"));
    }
};

QTEST_GUILESS_MAIN(CodePageTest)
#include "test_codepage.moc"
