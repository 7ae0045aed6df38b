#include "FileSizeLimit.h"
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using krx::IniFile;

namespace {

QByteArray readAll(const QString &path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsWithPrivateProfileRules_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("exact") << QByteArray("krx asetus") << QByteArray("kieli")
                               << QByteArray("1");
        QTest::newRow("section case")
            << QByteArray("KRX ASETUS") << QByteArray("kieli") << QByteArray("1");
        QTest::newRow("key case") << QByteArray("krx asetus") << QByteArray("OMA KUTSU")
                                  << QByteArray("qq1zzz-3");
        QTest::newRow("trimmed") << QByteArray("krx asetus") << QByteArray("messu aika")
                                 << QByteArray("10");
        QTest::newRow("quotes removed")
            << QByteArray("krx asetus") << QByteArray("tervehdys") << QByteArray(" Hei ");
        QTest::newRow("inner quotes kept")
            << QByteArray("otsakelista") << QByteArray("ajan esitys muoto")
            << QByteArray("dd/mm\" \"hh:nn");
        QTest::newRow("8-bit value")
            << QByteArray("laatikko") << QByteArray("bbs prompt") << QByteArray("\xe4\xe4\xe4");
        QTest::newRow("commented key")
            << QByteArray("krx asetus") << QByteArray("PACLEN") << QByteArray("<missing>");
        QTest::newRow("other section")
            << QByteArray("laatikko") << QByteArray("kieli") << QByteArray("<missing>");
        QTest::newRow("missing section")
            << QByteArray("nope") << QByteArray("kieli") << QByteArray("<missing>");
    }
    void readsWithPrivateProfileRules() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("krx.ini");
        writeAll(path, "; top comment\r\n[Krx Asetus]\r\nkieli=1\r\n  Oma Kutsu =  qq1zzz-3  \r\n"
                       ";PACLEN=99\r\nmessu aika=10 \r\ntervehdys=\" Hei \"\r\n"
                       "[otsakelista]\r\najan esitys muoto=dd/mm\" \"hh:nn\r\n"
                       "[laatikko]\r\nbbs prompt=\xe4\xe4\xe4\r\n");
        const IniFile ini(path);
        QCOMPARE(ini.readString(section, key, "<missing>"), expected);
    }

    void readsIntegers_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("230") << 230;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("blank padded") << QByteArray("  10 ") << 10;
        QTest::newRow("not a number") << QByteArray("ten") << 77;
        QTest::newRow("trailing text") << QByteArray("10 min") << 77;
        QTest::newRow("empty") << QByteArray("") << 77;
    }
    void readsIntegers() {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        QTemporaryDir dir;
        writeAll(dir.filePath("a.ini"), "[s]\nn=" + stored + "\n");
        QCOMPARE(IniFile(dir.filePath("a.ini")).readInteger("s", "n", 77), expected);
        QCOMPARE(IniFile(dir.filePath("a.ini")).readInteger("s", "absent", 77), 77);
    }

    void writeKeepsEveryOtherLine() {
        QTemporaryDir dir;
        const QString path = dir.filePath("krx.ini");
        writeAll(path, ";\r\n; legend\r\n\r\n[krx asetus]\r\n; the language\r\nKieli=0\r\n"
                       "unknown key=keep me\r\n\r\n[lista]\r\nlst_type=0\r\n");
        IniFile ini(path);
        QVERIFY(!ini.writeInteger("KRX ASETUS", "kieli", 1));
        QVERIFY(!ini.writeString("krx asetus", "RX pakattu siirto", "0"));
        QVERIFY(!ini.writeString("lista", "lst_to", "19"));
        QVERIFY(!ini.writeString("Ikkunoiden paikkat", "muista paikat", "1"));
        QCOMPARE(
            readAll(path),
            QByteArray(";\r\n; legend\r\n\r\n[krx asetus]\r\n; the language\r\nKieli=1\r\n"
                       "unknown key=keep me\r\nRX pakattu siirto=0\r\n\r\n[lista]\r\nlst_type=0\r\n"
                       "lst_to=19\r\n[Ikkunoiden paikkat]\r\nmuista paikat=1\r\n"));
        QCOMPARE(IniFile(path).readInteger("krx asetus", "kieli", 0), 1);
    }

    void firstWriteCreatesFileAndFolders() {
        QTemporaryDir dir;
        const QString path = dir.filePath("data/misc.ini");
        IniFile ini(path);
        QCOMPARE(ini.readInteger("font toggle", "auto oem", 1), 1);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!ini.writeInteger("font toggle", "auto oem", 0));
        QCOMPARE(readAll(path), QByteArray("[font toggle]\r\nauto oem=0\r\n"));
    }

    void keepsUnixLineEndsOfAnExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.ini");
        writeAll(path, "[s]\na=1\n");
        IniFile ini(path);
        QVERIFY(!ini.writeString("s", "b", "2"));
        QCOMPARE(readAll(path), QByteArray("[s]\na=1\nb=2\n"));
    }

    void listsKeysInFileOrder() {
        QTemporaryDir dir;
        writeAll(dir.filePath("a.ini"),
                 "[TNC INIT]\nx1=MUISC\n;x9=no\nx0=T 5 ; comment\n[next]\ny=1\n");
        const IniFile ini(dir.filePath("a.ini"));
        QCOMPARE(ini.keys("tnc init"), (std::vector<QByteArray>{"x1", "x0"}));
        QCOMPARE(ini.readString("tnc init", "x0", ""), QByteArray("T 5 ; comment"));
    }

    void fullDiskLeavesTheFileAsItWas() {
        QTemporaryDir dir;
        const QString path = dir.filePath("krx.ini");
        const QByteArray original = "; settings\r\n[krx asetus]\r\nkieli=1\r\n";
        writeAll(path, original);
        IniFile ini(path);
        std::optional<QString> error;
        {
            const krx::test::FileSizeLimit fullDisk(original.size() + 16);
            error = ini.writeString("krx asetus", "tervehdys", QByteArray(4096, 'x'));
        }
        QVERIFY(error.has_value());
        QCOMPARE(readAll(path), original);
    }

    void writeFailureIsReportedNotThrown() {
        QTemporaryDir dir;
        writeAll(dir.filePath("blocker"), "a file where a folder should be");
        IniFile ini(dir.filePath("blocker/misc.ini"));
        const auto error = ini.writeString("s", "k", "v");
        QVERIFY(error.has_value());
        QVERIFY(error->contains("blocker"));
    }
};

QTEST_GUILESS_MAIN(IniFileTest)
#include "test_inifile.moc"
