#include "StoreFixture.h"
#include "core/Settings.h"
#include "store/ListFile.h"
#include "store/OldRecords.h"

#include <QtTest>

using namespace krx;
using krx::test::header;
using krx::test::StoreFixture;

namespace {

// The 208-byte form of a record, for lists of the older format.
QByteArray oldListBytes(const HeaderRecord &r) {
    const QByteArray now = r.encode();
    // the same fields, without the 4 padding bytes after the title
    return now.left(148) + now.mid(152, 60);
}

ListCounters counters(int total, int fresh, int unread, int toFetch, int notSent, int read,
                      int toKill) {
    ListCounters c;
    c.add(CounterColumn::Total, total);
    c.add(CounterColumn::New, fresh);
    c.add(CounterColumn::Unread, unread);
    c.add(CounterColumn::ToFetch, toFetch);
    c.add(CounterColumn::NotSent, notSent);
    c.add(CounterColumn::Read, read);
    c.add(CounterColumn::ToKill, toKill);
    return c;
}

} // namespace

class StoreStartupTest : public QObject {
    Q_OBJECT

private slots:
    void settingsTheStoreUses_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("block");
        QTest::newRow("default") << QByteArray() << 500;
        QTest::newRow("smaller") << QByteArray("OTSIKOITA KERRALLA=120") << 120;
        QTest::newRow("above 500 is cut") << QByteArray("OTSIKOITA KERRALLA=800") << 500;
        QTest::newRow("below 1 reads one") << QByteArray("OTSIKOITA KERRALLA=0") << 1;
    }
    void settingsTheStoreUses() {
        QFETCH(QByteArray, ini);
        QFETCH(int, block);
        test::TempProgramDir home;
        home.write("KRX.INI", "[krx asetus]\r\n" + ini + "\r\n");
        Settings settings;
        settings.language = Language::English;
        settings.ownCall = "QQ1ZZZ";
        settings.homeBbs = "QQ2BBS";
        const StoreSettings store = StoreSettings::from(settings, IniFile(home.filePath("KRX.INI")));
        QCOMPARE(store.headersPerBlock, block);
        QCOMPARE(store.language, Language::English);
        QCOMPARE(store.ownCall, QByteArray("QQ1ZZZ"));
        QCOMPARE(store.homeBbs, QByteArray("QQ2BBS"));
    }

    void freshStartCreatesFoldersAndFiles() {
        StoreFixture f;
        MessageStore &store = f.started();
        for (const char *folder : {"mail", "data", "mail/OMAT", "mail/ALL", "mail/DX", "decode",
                                   "pub", "autocon", "7plus_in"})
            QVERIFY2(QFileInfo(f.home.filePath(QLatin1String(folder))).isDir(), folder);
        QCOMPARE(f.home.read("data/OMAT.lst"), ListFile::mark);
        QCOMPARE(f.home.read("data/DX.lst"), ListFile::mark);
        QCOMPARE(f.home.read("data/OMAT.num"), QByteArray(" 100 0\r\n"));
        QCOMPARE(f.home.read("data/ALL.num"), QByteArray(" 0 0\r\n"));
        QCOMPARE(f.home.read("data/DX.num"), QByteArray(" 0 0\r\n"));
        QCOMPARE(store.newestNumber(), 0);
        QCOMPARE(store.localCounter(), 100);
        QCOMPARE(store.listCount(), 3);
        QCOMPARE(store.ListFileName(1), QByteArray("ALL.lst"));
        QVERIFY(f.takeShown().isEmpty());
        QCOMPARE(store.catalog().totals(), ListCounters());
    }

    void olderNumberFilesAreTakenOver() {
        StoreFixture f;
        f.home.write("data/QQ1ZZZ.num", " 250 240\r\n");
        f.home.write("data/QQ2BBS.num", " 261692 261600\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.localCounter(), 250);
        QCOMPARE(store.newestNumber(), 261692);
        QCOMPARE(store.catalog().list(1).seenMark, 261600);
        QCOMPARE(f.home.read("data/OMAT.num"), QByteArray(" 250 240\r\n"));
        QVERIFY(!QFile::exists(f.home.filePath("data/QQ1ZZZ.num")));
        QVERIFY(!QFile::exists(f.home.filePath("data/QQ2BBS.num")));
    }

    void existingNumberFilesAreNotReplaced() {
        StoreFixture f;
        f.home.write("data/omat.NUM", " 300 290\r\n");
        f.home.write("data/QQ1ZZZ.num", " 250 240\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.localCounter(), 300);
        QVERIFY(QFile::exists(f.home.filePath("data/QQ1ZZZ.num")));
    }

    void listsAreCountedAgainstTheirSeenMarks() {
        StoreFixture f;
        f.writeList("OMAT", {header(101, 'N'), header(102, 'Y'), header(103, 'r')});
        f.writeList("ALL", {header(10, ' '), header(11, 'R'), header(12, 'K'), header(13, '+'),
                            header(14, '-'), header(15, 'H')});
        f.home.write("data/OMAT.num", " 103 101\r\n");
        f.home.write("data/ALL.num", " 15 12\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.catalog().list(0).counters, counters(3, 2, 0, 1, 1, 1, 0));
        QCOMPARE(store.catalog().list(1).counters, counters(6, 3, 1, 0, 0, 0, 1));
        QCOMPARE(store.catalog().list(2).counters, ListCounters());
        QCOMPARE(store.catalog().totals(), counters(9, 5, 1, 1, 1, 1, 1));
        QCOMPARE(store.catalog().line(1),
                 QStringLiteral("ALL        6      3    1    0    0    0    1      "));
        QCOMPARE(store.catalog().totalsLine(),
                 QStringLiteral("KAIKKIAAN  9      5    1    1    1    1    1      "));
        QCOMPARE(store.catalog().columnHeaderLine(),
                 QStringLiteral("RYHMÄ             U    R    r    N    Y    K      "));
        QCOMPARE(store.catalog().statusSummary(), QStringLiteral("U:5 R:1 r:1"));
        QCOMPARE(store.newestNumber(), 15);
        QCOMPARE(store.localCounter(), 103);
    }

    void countingCrossesBlockEdges() {
        StoreFixture f;
        std::vector<HeaderRecord> records;
        for (int i = 0; i < 50; ++i) // blocks of 7
            records.push_back(header(i + 1, i % 2 ? 'r' : ' '));
        f.writeList("DX", records);
        MessageStore &store = f.started();
        QCOMPARE(store.catalog().list(2).counters, counters(50, 50, 0, 25, 0, 0, 0));
    }

    void corruptListIsReportedAndShowsNoCounters() {
        StoreFixture f;
        f.writeList("ALL", {header(1)});
        f.home.write("data/DX.lst", ListFile::mark + header(1).encode() + "x");
        MessageStore &store = f.started();
        const QStringList shown = f.takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0], QStringLiteral("Lista ") +
                               QDir::toNativeSeparators(f.home.filePath("data/DX.lst")) +
                               QStringLiteral(" on vahingoittunut"));
        QVERIFY(!store.catalog().list(2).counted);
        QCOMPARE(store.catalog().line(2), QStringLiteral("DX") + QString(48, QLatin1Char(' ')));
        QCOMPARE(store.catalog().totals(), counters(1, 1, 0, 0, 0, 0, 0));
        // adjustments of a list that could not be counted change nothing
        store.AdjustListCounter(2, CounterColumn::Total, 1);
        QCOMPARE(store.catalog().totals(), counters(1, 1, 0, 0, 0, 0, 0));
    }

    void corruptListInEnglish() {
        StoreFixture f;
        f.settings.language = Language::English;
        f.home.write("data/DX.lst", ListFile::mark + "x");
        f.started();
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("List file ") +
                             QDir::toNativeSeparators(f.home.filePath("data/DX.lst")) +
                             QStringLiteral(" is corrupted")));
    }

    void listMissingBesideItsBackupIsRestored() {
        StoreFixture f;
        const QByteArray backup = ListFile::mark + header(5).encode() + header(6, 'r').encode();
        f.home.write("data/ALL.bak", backup);
        MessageStore &store = f.started();
        QCOMPARE(f.home.read("data/ALL.lst"), backup);
        QCOMPARE(f.home.read("data/ALL.bak"), backup);
        const QStringList shown = f.takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Listatiedosto ")));
        QVERIFY(shown[0].contains(QDir::toNativeSeparators(f.home.filePath("data/ALL.bak"))));
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::Total], 2);
    }

    void listsOfTheOlderFormatAreConverted() {
        StoreFixture f;
        HeaderRecord personal = header(101, 'Y');
        personal.bid = "101_QQ1ZZZ";
        HeaderRecord longBid = header(7, 'R');
        const QByteArray oldAll = oldListBytes(header(5)) + oldListBytes(longBid);
        f.home.write("data/OMAT.lst", oldListBytes(personal));
        f.home.write("data/ALL.lst", oldAll);
        f.home.write("data/DX.lst", ListFile::mark + header(9).encode()); // already converted
        MessageStore &store = f.started();
        QVERIFY(f.takeShown().isEmpty());
        QCOMPARE(f.readList("OMAT"), std::vector<HeaderRecord>{personal});
        QCOMPARE(f.readList("ALL"), (std::vector<HeaderRecord>{header(5), longBid}));
        QCOMPARE(f.readList("DX"), std::vector<HeaderRecord>{header(9)});
        QCOMPARE(f.home.read("data/ALL.bak"), oldAll);
        QCOMPARE(store.catalog().totals()[CounterColumn::Total], 4);
        QVERIFY(!QFile::exists(f.home.filePath("data/tempmuun.lst")));
    }

    void emptyPersonalListTriggersTheConversion() {
        StoreFixture f;
        f.home.write("data/OMAT.lst", QByteArray());
        f.home.write("data/ALL.lst", oldListBytes(header(5)));
        MessageStore &store = f.started();
        QCOMPARE(f.home.read("data/OMAT.lst"), ListFile::mark);
        QCOMPARE(f.readList("ALL"), std::vector<HeaderRecord>{header(5)});
        QCOMPARE(store.catalog().totals()[CounterColumn::Total], 1);
    }

    void oldListOfAnUnknownLengthIsLeftAlone() {
        StoreFixture f;
        f.home.write("data/OMAT.lst", QByteArray(100, 'x'));
        f.started();
        QCOMPARE(f.home.read("data/OMAT.lst"), QByteArray(100, 'x'));
        const QStringList shown = f.takeShown();
        QVERIFY(shown.size() >= 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Listaa ei voitu muuntaa")));
    }

    void missingEpurtStopsTheStart() {
        StoreFixture f;
        QFile::remove(f.home.filePath("epurt.ini"));
        QVERIFY(!f.makeStore().Start());
        const QStringList shown = f.takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QDir::toNativeSeparators(f.home.filePath("epurt.ini"))));
        QVERIFY(!f.store->isStarted());
        QVERIFY(!f.store->BuildFetchQueue(true));
    }

    void oneListIsNotEnough() {
        StoreFixture f("OMAT\r\n");
        QVERIFY(!f.makeStore().Start());
        QCOMPARE(f.takeShown().size(), 1);
        HeaderRecord record = header(1);
        QVERIFY(!f.store->SortHeader(record));
    }

    void tabLinesAreReportedOnce() {
        StoreFixture f("OMAT\r\nALL\r\nX\tY\r\nZ\tW\r\n", "M\t<  DX.LST      QQ3ABC\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.listCount(), 2);
        QCOMPARE(
            f.takeShown(),
            (QStringList{
                QStringLiteral(
                    "Tabulatori/sarkain merkkiä ei saa käyttää epurt.ini tiedostossa.\r\n"
                    "Kaikki TAB merkin sisältämät rivit jätetään huomioimatta."),
                QStringLiteral("Tabulatori/sarkain merkkiä ei saa käyttää read.ini tiedostossa.\r\n"
                               "Kaikki TAB merkin sisältämät rivit jätetään huomioimatta.")}));
        QCOMPARE(int(store.rules().rules.size()), 1);
    }

    void missingReadIniIsReportedAndNoRuleApplies() {
        StoreFixture f;
        QFile::remove(f.home.filePath("read.ini"));
        MessageStore &store = f.started();
        const QStringList shown = f.takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QStringLiteral("read.ini")));
        HeaderRecord record = header(1);
        QCOMPARE(store.SortHeader(record), std::optional<QByteArray>("ALL.lst"));
    }

    void englishColumnHeader() {
        StoreFixture f;
        f.settings.language = Language::English;
        MessageStore &store = f.started();
        QCOMPARE(store.catalog().columnHeaderLine(),
                 QStringLiteral("GROUP      MSG    U    R    r    N    Y    K      "));
        QVERIFY(store.catalog().totalsLine().startsWith(QStringLiteral("TOTAL      0")));
    }

    void newMessageNoticeIsNotAnnouncedAtStart() {
        StoreFixture f;
        f.writeList("OMAT", {header(101, 'r')});
        MessageStore &store = f.makeStore();
        QSignalSpy announced(&store, &MessageStore::newMessagesChanged);
        QVERIFY(store.Start());
        QCOMPARE(store.catalog().list(0).counters[CounterColumn::New], 1);
        QCOMPARE(announced.count(), 0);
        HeaderRecord mine = header(5, ' ', 'P', "QQ1ZZZ");
        const auto target = store.SortHeader(mine);
        QVERIFY(store.StoreCapturedHeader(mine, *target));
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.at(0).at(0).toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(StoreStartupTest)
#include "test_storestartup.moc"
