#include "FakeClock.h"
#include "TempProgramDir.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/WindowPlacement.h"

#include <QtTest>

using namespace krx;

namespace {

// Loads a main settings file made of `mainText` (and misc.ini of `miscText`) at 11.12.2026
// 14:37:05.
LoadedSettings load(const QByteArray &mainText, const QByteArray &miscText = {}) {
    test::TempProgramDir home;
    home.write("KRX.INI", mainText);
    if (!miscText.isEmpty())
        home.write("data/misc.ini", miscText);
    const test::FakeClock clock;
    return loadSettings(IniFile(home.filePath("KRX.INI")), IniFile(home.filePath("data/misc.ini")),
                        clock);
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsWhenEveryKeyIsMissing() {
        const Settings s = load("; nothing here\r\n").settings;
        QCOMPARE(s.language, Language::Finnish);
        QCOMPARE(s.ownCall, QByteArray("ERROR"));
        QVERIFY(s.notConfigured);
        QCOMPARE(s.channelCount, 3);
        QCOMPARE(s.paclen, 150);
        QCOMPARE(s.scrollBack, 30);
        QCOMPARE(s.transportCode, 0);
        QCOMPARE(s.comport, 2);
        QCOMPARE(s.baudRate, 1200); // "error" has no comma
        QCOMPARE(s.bbsPrompt, QByteArray("\xe4\xe4\xe4\xe4\xe4"));
        QCOMPARE(s.listCommand, QByteArray("err"));
        QVERIFY(s.rxCompressed && s.txCompressed && !s.addCrlf);
        QCOMPARE(s.headerFetch.milliseconds(), 30 * 60000);
        QCOMPARE(s.messageFetch.minutes, 50);
        QCOMPARE(s.idle.minutes, 50);
        QVERIFY(!s.rememberPositions);
        QVERIFY(!s.toggleFont.chosen);
        QVERIFY(s.autoOem);
        QVERIFY(s.flexnetMonitoring);
        QCOMPARE(s.oemCodePage, 850);
        QCOMPARE(s.initCommands, (QByteArrayList{"I ERROR", "Y 3"}));
    }

    void derivedValues_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray s = "[krx asetus]\r\n";
        QTest::newRow("scroll-back cut to 500")
            << s + "SELAUS MAARA=800" << QByteArray("scrollBack") << QByteArray("500");
        QTest::newRow("scroll-back kept")
            << s + "SELAUS MAARA=300" << QByteArray("scrollBack") << QByteArray("300");
        QTest::newRow("own call with ssid")
            << s + "oma kutsu=qq1zzz-3" << QByteArray("call") << QByteArray("QQ1ZZZ/3/I QQ1ZZZ-3");
        QTest::newRow("two-digit ssid") << s + "oma kutsu=QQ1ZZZ-14" << QByteArray("call")
                                        << QByteArray("QQ1ZZZ/14/I QQ1ZZZ-14");
        QTest::newRow("only two ssid digits") << s + "oma kutsu=QQ1ZZZ-123" << QByteArray("call")
                                              << QByteArray("QQ1ZZZ/12/I QQ1ZZZ-123");
        QTest::newRow("no ssid") << s + "oma kutsu=QQ1ZZZ" << QByteArray("call")
                                 << QByteArray("QQ1ZZZ/0/I QQ1ZZZ");
        QTest::newRow("list command cut")
            << QByteArray("[laatikko]\r\nlist cmd=LIST") << QByteArray("list") << QByteArray("LIS");
        QTest::newRow("home bbs upper and cut")
            << QByteArray("[laatikko]\r\noma BBS=qq2bbs-0123456789012345678901234567")
            << QByteArray("bbs") << QByteArray("QQ2BBS-01234567890123456789012");
        QTest::newRow("fetch period 0 not in use")
            << s + "lista aika=0" << QByteArray("headerFetch") << QByteArray("0/0");
        QTest::newRow("message period 1 minute")
            << s + "messu aika=1" << QByteArray("messageFetch") << QByteArray("1/60000");
        QTest::newRow("max odotus in ms")
            << s + "max odotus=90" << QByteArray("watchdog") << QByteArray("90000");
    }
    void derivedValues() {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, expected);
        const Settings s = load(ini).settings;
        QByteArray actual;
        if (field == "scrollBack")
            actual = QByteArray::number(s.scrollBack);
        else if (field == "call")
            actual = s.ownCall + '/' + QByteArray::number(s.baseSsid) + '/' +
                     s.initCommands.value(s.initCommands.size() - 2);
        else if (field == "list")
            actual = s.listCommand;
        else if (field == "bbs")
            actual = s.homeBbs + (s.promptCall == s.homeBbs ? "" : " (prompt call differs)");
        else if (field == "headerFetch")
            actual = QByteArray::number(s.headerFetch.inUse()) + '/' +
                     QByteArray::number(s.headerFetch.milliseconds() * s.headerFetch.inUse());
        else if (field == "messageFetch")
            actual = QByteArray::number(s.messageFetch.inUse()) + '/' +
                     QByteArray::number(s.messageFetch.milliseconds());
        else if (field == "watchdog")
            actual = QByteArray::number(s.receptionWatchdogMs);
        QCOMPARE(actual, expected);
    }

    void notConfigured_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("notConfigured");
        QTest::newRow("configured")
            << QByteArray("[krx asetus]\noma kutsu=QQ1ZZZ\n[laatikko]\noma BBS=QQ2BBS") << false;
        QTest::newRow("NoCall any case")
            << QByteArray("[krx asetus]\noma kutsu=NoCaLL-2\n[laatikko]\noma BBS=QQ2BBS") << true;
        QTest::newRow("own call missing") << QByteArray("[laatikko]\noma BBS=QQ2BBS") << true;
        QTest::newRow("home bbs nocall")
            << QByteArray("[krx asetus]\noma kutsu=QQ1ZZZ\n[laatikko]\noma BBS=nocall") << true;
        QTest::newRow("home bbs missing is configured")
            << QByteArray("[krx asetus]\noma kutsu=QQ1ZZZ") << false;
    }
    void notConfigured() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, notConfigured);
        QCOMPARE(load(ini).settings.notConfigured, notConfigured);
    }

    void unreadableSsidIsASettingsErrorAndGivesSsidZero() {
        const LoadedSettings loaded = load("[krx asetus]\r\nkieli=1\r\noma kutsu=QQ1ZZZ-X1\r\n");
        QCOMPARE(loaded.settings.baseSsid, 0);
        QCOMPARE(loaded.settings.ownCall, QByteArray("QQ1ZZZ"));
        QCOMPARE(loaded.errors.size(), 1);
        QVERIFY(loaded.errors.first().contains("oma kutsu"));
        QVERIFY(loaded.errors.first().contains("QQ1ZZZ-X1"));
    }

    void serialSpeed_data() {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<int>("baud");
        QTest::newRow("19200") << QByteArray("19200,N,8,1") << 19200;
        QTest::newRow("9600") << QByteArray("9600,N,8,1") << 9600;
        QTest::newRow("115200") << QByteArray("115200,E,7,2") << 115200;
        QTest::newRow("4800 not offered") << QByteArray("4800,N,8,1") << 19200;
        QTest::newRow("no comma") << QByteArray("19200") << 1200;
        QTest::newRow("not a number") << QByteArray("fast,N,8,1") << 1200;
        QTest::newRow("empty") << QByteArray("") << 1200;
    }
    void serialSpeed() {
        QFETCH(QByteArray, setting);
        QFETCH(int, baud);
        QCOMPARE(baudRateFromSetting(setting), baud);
    }

    void initCommandListWithClockLines_data() {
        QTest::addColumn<int>("transport");
        QTest::addColumn<QByteArrayList>("expected");
        const QByteArrayList base{"MUISC", "K 1", "T 5", "I QQ1ZZZ", "Y 4"};
        QTest::newRow("serial gets the clock")
            << 0 << base + QByteArrayList{"K 11.12.26", "K 14:37:05"};
        QTest::newRow("socket gets the clock")
            << 6 << base + QByteArrayList{"K 11.12.26", "K 14:37:05"};
        QTest::newRow("agwpe does not") << 3 << base;
    }
    void initCommandListWithClockLines() {
        QFETCH(int, transport);
        QFETCH(QByteArrayList, expected);
        const QByteArray ini =
            "[portti asetus]\r\nEMU=" + QByteArray::number(transport) +
            "\r\n[krx asetus]\r\noma kutsu=qq1zzz\r\nkanavien maara=4\r\n"
            "[TNC INIT]\r\nx0=MUISC\r\nx1=K 1 ;time stamps\r\n; x9=N 5\r\nx2=  T 5  \r\n";
        QCOMPARE(load(ini).settings.initCommands, expected);
    }

    void rememberPositionsFallsBackToMainFile_data() {
        QTest::addColumn<QByteArray>("mainValue");
        QTest::addColumn<QByteArray>("miscValue");
        QTest::addColumn<bool>("remember");
        QTest::newRow("misc wins") << QByteArray("0") << QByteArray("1") << true;
        QTest::newRow("misc off wins") << QByteArray("1") << QByteArray("0") << false;
        QTest::newRow("fallback to main") << QByteArray("1") << QByteArray() << true;
        QTest::newRow("neither") << QByteArray() << QByteArray() << false;
    }
    void rememberPositionsFallsBackToMainFile() {
        QFETCH(QByteArray, mainValue);
        QFETCH(QByteArray, miscValue);
        QFETCH(bool, remember);
        const QByteArray section = "[Ikkunoiden paikkat]\r\n";
        const QByteArray main =
            mainValue.isEmpty() ? "; empty\r\n" : section + "muista paikat=" + mainValue;
        const QByteArray misc =
            miscValue.isEmpty() ? QByteArray() : section + "muista paikat=" + miscValue;
        QCOMPARE(load(main, misc).settings.rememberPositions, remember);
    }

    void toggleFontIsReadOnlyWhenAFaceIsSaved() {
        const Settings none = load("[krx asetus]\n", "[krx asetus]\nFont size=22\n").settings;
        QVERIFY(!none.toggleFont.chosen);
        QCOMPARE(none.toggleFont.pointSize, 10);
        const Settings chosen =
            load("[krx asetus]\n",
                 "[krx asetus]\nFont name=DejaVu Sans Mono\nFont size=12\n"
                 "Font color=255\nFont high=-16\n[font toggle]\ntoggle on 2=1\ntoggle on m=1\n")
                .settings;
        QVERIFY(chosen.toggleFont.chosen);
        QCOMPARE(chosen.toggleFont.face, QByteArray("DejaVu Sans Mono"));
        QCOMPARE(chosen.toggleFont.colorBgr, 255);
        QCOMPARE(chosen.toggleFont.height, -16);
        QVERIFY(chosen.toggles.channel[2] && !chosen.toggles.channel[1] && chosen.toggles.monitor);
    }

    void oemCodePageChoice() {
        QCOMPARE(load("[krx asetus]\n", "[krx asetus]\noem codepage=437\n").settings.oemCodePage,
                 437);
        QCOMPARE(load("[krx asetus]\n", "[krx asetus]\noem codepage=1252\n").settings.oemCodePage,
                 850);
    }

    void windowPlacement_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("restored");
        QTest::newRow("maximised, negative top")
            << QByteArray("2 10 -20 500 400") << QByteArray("2 10 45 500 400");
        QTest::newRow("negative left")
            << QByteArray(" 1 -5 7 300 200 ") << QByteArray("1 0 7 300 200");
        QTest::newRow("minimised")
            << QByteArray("0 30 30 100 100") << QByteArray("0 30 30 100 100");
        QTest::newRow("too few fields") << QByteArray("1 2 3") << QByteArray("none");
        QTest::newRow("garbage") << QByteArray("1 a b c d") << QByteArray("none");
    }
    void windowPlacement() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, restored);
        const auto placement = WindowPlacement::parse(stored);
        QCOMPARE(placement ? placement->format() : QByteArray("none"), restored);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_settings.moc"
