#include "core/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using krx::ProgramDirectory;

class ProgramDirectoryTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    void touch(const QString &relative) {
        const QString path = home_.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void init() {
        QVERIFY(home_.isValid());
        touch("krx.ini");
        touch("mail/all/12.TXT");
        touch("Data/MISC.INI");
    }

    void findsExistingPathsWhateverTheirCase_data() {
        QTest::addColumn<QString>("systemPath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("settings file") << "KRX.INI"
                                       << "krx.ini";
        QTest::newRow("message file") << "mail\\ALL\\12.txt"
                                      << "mail/all/12.TXT";
        QTest::newRow("leading backslash") << "\\data\\misc.ini"
                                           << "Data/MISC.INI";
        QTest::newRow("forward slashes") << "MAIL/All/12.txt"
                                         << "mail/all/12.TXT";
        QTest::newRow("new file in existing folder") << "mail\\ALL\\13.txt"
                                                     << "mail/all/13.txt";
        QTest::newRow("new folders keep their case") << "decode\\New\\a.BIN"
                                                     << "decode/New/a.BIN";
    }
    void findsExistingPathsWhateverTheirCase() {
        QFETCH(QString, systemPath);
        QFETCH(QString, expected);
        const ProgramDirectory directory(home_.path());
        QCOMPARE(directory.resolve(systemPath), QDir(home_.path()).filePath(expected));
    }

    void writeCreatesMissingFoldersWithTheCaseGiven() {
        const ProgramDirectory directory(home_.path());
        const QString path = directory.resolveForWrite("mail\\PERSONAL\\1.txt");
        QCOMPARE(path, QDir(home_.path()).filePath("mail/PERSONAL/1.txt"));
        QVERIFY(QFileInfo(QDir(home_.path()).filePath("mail/PERSONAL")).isDir());
        QVERIFY(directory.exists("MAIL\\personal"));
        QVERIFY(!directory.exists("mail\\personal\\1.txt"));
    }

    void mainSettingsFileIsFoundInAnyCase() {
        const ProgramDirectory directory(home_.path());
        QCOMPARE(directory.mainSettingsPath("KRX"), QDir(home_.path()).filePath("krx.ini"));
    }
};

QTEST_GUILESS_MAIN(ProgramDirectoryTest)
#include "test_programdirectory.moc"
