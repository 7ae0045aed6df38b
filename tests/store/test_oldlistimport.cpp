#include "FakeSeams.h"
#include "TempProgramDir.h"
#include "store/DateConversion.h"
#include "store/ListFile.h"
#include "store/OldListImport.h"
#include "store/StoreReporter.h"

#include <QtTest>
#include <ctime>

using namespace krx;

namespace {

QByteArray field(const QByteArray &text, int width) {
    return text.leftJustified(width, '\0', true);
}

QByteArray le32(qint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A 194-byte record of the older program, laid out field by field.
QByteArray foreignRecord(char kind, char status, qint32 number, const QByteArray &title,
                         qint32 stamp, const QByteArray &bid) {
    QByteArray r;
    r += kind;
    r += status;
    r += le32(number);
    r += le32(500 + number);
    r += field("QQ3ABC", 7) + field("WW", 41) + field("QQ1ZZZ", 7) + field(title, 81);
    r += le32(stamp);
    r += field("", 20);
    r += le32(number + 7);
    r += bid.size() == 20 ? bid : field(bid, 20);
    return r;
}

std::vector<HeaderRecord> listIn(const test::TempProgramDir &dir, const QString &name) {
    return readListFile(dir.filePath(name), 500).records;
}

} // namespace

class OldListImportTest : public QObject {
    Q_OBJECT

    test::TempProgramDir home;
    test::TempProgramDir old;
    test::ScriptedPrompter prompter;
    bool imported = false;

private slots:
    void initTestCase() {
        home.write("epurt.ini",
                   "; lists\r\nQQ1ZZZ.LST  personal\r\nALL.LST\r\nEMPTY.LST\r\nMISSING.LST\r\n");
        old.write("QQ1ZZZ.LST",
                  foreignRecord('P', 'Y', 1234, "Hei \x84", 1700000000, "1234_QQ2BBS") +
                      foreignRecord('P', 'N', 1240, "Luonnos", 1700003600, QByteArray(20, 'B')));
        old.write("QQ1ZZZ/1234", "Viesti \x84\r\n");
        old.write("QQ1ZZZ.NUM", " 1240 1240\r\n");
        old.write("ALL.LST", foreignRecord('B', 'R', 777, "Bulletin", 0, "777_QQ2BBS"));
        old.write("ALL/777", "\x84 go_7+. part\r\n stop_7+.\r\n");
        old.write("ALL.NUM", " 777 700\r\n");
        old.write("EMPTY.LST", QByteArray());
        const OemConversion oem(OemCodePage::Ibm850, true);
        const ProgramDirectory directory(home.path());
        const StoreReporter reporter(prompter, Language::Finnish);
        imported = OldListImport(directory, oem, reporter).ImportOldLists(old.path(), "qq1zzz");
    }

    void everythingWasWritten() {
        QVERIFY(imported);
        QVERIFY(prompter.shown.empty());
        for (const char *folder : {"mail/QQ1ZZZ", "mail/ALL", "mail/EMPTY", "mail/MISSING"})
            QVERIFY2(QFileInfo(home.filePath(QLatin1String(folder))).isDir(), folder);
        QVERIFY(!QFile::exists(home.filePath("data/MISSING.LST")));
    }

    void personalListGetsLocalNumbers() {
        const std::vector<HeaderRecord> personal = listIn(home, "data/QQ1ZZZ.LST");
        QCOMPARE(int(personal.size()), 2);
        QCOMPARE(personal[0].number, 100);
        QCOMPARE(personal[1].number, 101);
        QCOMPARE(personal[0].bbs_number, 1241);
        QCOMPARE(personal[0].size, 1734);
        QCOMPARE(personal[0].kind, 'P');
        QCOMPARE(personal[0].status, 'Y');
        QCOMPARE(personal[0].from.text(), QByteArray("QQ3ABC"));
        QCOMPARE(personal[0].via.text(), QByteArray("WW"));
        QCOMPARE(personal[0].to.text(), QByteArray("QQ1ZZZ"));
        QCOMPARE(personal[0].title.text(), QByteArray("Hei \xe4"));
        QCOMPARE(personal[0].bid.text(), QByteArray("1234_QQ2BBS"));
        QVERIFY(personal[1].bid.isEmpty()); // 20 characters do not fit
        const QDateTime stamp(QDate(2023, 11, 14), QTime(22, 13, 20));
        QCOMPARE(fromRecordDate(personal[0].bbs_time), stamp);
        QCOMPARE(personal[0].stored_time, personal[0].bbs_time);
        QCOMPARE(fromRecordDate(personal[1].bbs_time), stamp.addSecs(3600));
        QCOMPARE(home.read("data/QQ1ZZZ.num"), QByteArray(" 101 101\r\n"));
    }

    void otherListsKeepTheirNumbers() {
        const std::vector<HeaderRecord> all = listIn(home, "data/ALL.LST");
        QCOMPARE(int(all.size()), 1);
        QCOMPARE(all[0].number, 777);
        QCOMPARE(fromRecordDate(all[0].bbs_time), QDateTime(QDate(1970, 1, 1), QTime(0, 0)));
        QCOMPARE(home.read("data/ALL.num"), QByteArray(" 777 700\r\n"));
        QCOMPARE(home.read("data/EMPTY.LST"), ListFile::mark);
    }

    void readAndFetchedMessagesAreCopied() {
        QCOMPARE(home.read("mail/QQ1ZZZ/100.txt"), QByteArray("Viesti \xe4\r\n"));
        QVERIFY(!QFile::exists(home.filePath("mail/QQ1ZZZ/101.txt"))); // not sent: no copy
        // a message with 7plus sections is copied as it is
        QCOMPARE(home.read("mail/ALL/777.txt"), QByteArray("\x84 go_7+. part\r\n stop_7+.\r\n"));
    }

    void noTemporaryFileIsLeft() {
        QCOMPARE(QDir(home.filePath("data")).entryList(QDir::Files),
                 (QStringList{"ALL.LST", "ALL.num", "EMPTY.LST", "QQ1ZZZ.LST", "QQ1ZZZ.num"}));
    }
};

int main(int argc, char *argv[]) {
    // Imported time stamps are shown in local time; the expected values are for UTC.
    qputenv("TZ", "UTC");
    tzset();
    QCoreApplication app(argc, argv);
    OldListImportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_oldlistimport.moc"
