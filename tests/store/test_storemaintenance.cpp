#include "FileSizeLimit.h"
#include "StoreFixture.h"
#include "store/DateConversion.h"
#include "store/ListFile.h"

#include <QtTest>

using namespace krx;
using krx::test::header;
using krx::test::StoreFixture;

namespace {

// An epurt.ini line with retention days at the given 1-based columns.
QByteArray epurtLine(const QByteArray &name, std::initializer_list<std::pair<int, int>> days) {
    QByteArray line = name;
    for (const auto &[column, value] : days) {
        line = line.leftJustified(column - 1, ' ');
        line += QByteArray::number(value);
    }
    return line + "\r\n";
}

HeaderRecord storedAt(HeaderRecord record, const QDateTime &time) {
    record.stored_time = toRecordDate(time);
    return record;
}

QByteArray listBytes(const std::vector<HeaderRecord> &records) {
    QByteArray content = ListFile::mark;
    for (const HeaderRecord &record : records)
        content += record.encode();
    return content;
}

ListCounters recount(const std::vector<HeaderRecord> &records, qint32 seenMark) {
    ListCounters counters;
    for (const HeaderRecord &record : records)
        counters.count(record, seenMark);
    return counters;
}

} // namespace

class StoreMaintenanceTest : public QObject {
    Q_OBJECT

private slots:
    void repairDropsDuplicatesAndHeadersOutOfOrder() {
        StoreFixture f;
        const std::vector<HeaderRecord> before{header(5, 'R'), header(7),      header(7),
                                               header(6, 'r'), header(9, 'K'), header(-3)};
        f.writeList("ALL", before);
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        QSignalSpy replaced(&store, &MessageStore::listReplaced);
        store.RepairList(1);
        const std::vector<HeaderRecord> after{header(5, 'R'), header(7), header(9, 'K')};
        QCOMPARE(f.readList("ALL"), after);
        QCOMPARE(f.home.read("data/ALL.bak"), listBytes(before));
        QCOMPARE(f.takeShown(), QStringList(QStringLiteral("oli 3 kpl ylimääräisiä otsikoita")));
        QCOMPARE(store.catalog().list(1).counters, recount(after, 0));
        QCOMPARE(store.catalog().totals(), recount(after, 0));
        QCOMPARE(replaced.count(), 1);
        QVERIFY(store.hakulista().isEmpty()); // its record indexes are no longer valid
    }

    void repairOfAnOrderlyListSaysNothing() {
        StoreFixture f;
        f.writeList("ALL", {header(1), header(2)});
        MessageStore &store = f.started();
        store.RepairList(1);
        QVERIFY(f.takeShown().isEmpty());
        QCOMPARE(int(f.readList("ALL").size()), 2);
    }

    void repairOfAMissingList() {
        StoreFixture f;
        f.settings.language = Language::English; // the repair speaks Finnish only
        MessageStore &store = f.started();
        QFile::remove(f.home.filePath("data/DX.lst"));
        store.RepairList(2);
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("funkt puhdistus. Tiedostoa ") +
                             QDir::toNativeSeparators(f.home.filePath("data/DX.lst")) +
                             QStringLiteral(" ei muka löydy")));
    }

    void purgeAges_data() {
        QTest::addColumn<QByteArray>("retention"); // the ALL line of epurt.ini
        QTest::addColumn<char>("kind");
        QTest::addColumn<char>("status");
        QTest::addColumn<QDateTime>("stored");
        QTest::addColumn<bool>("kept");
        const QDateTime now = test::FakeClock().now();
        const QByteArray blank = "ALL\r\n";
        QTest::newRow("new bulletin, blank: 999 days kept")
            << blank << 'B' << ' ' << now.addDays(-999) << true;
        QTest::newRow("new bulletin, blank: 1000 days purged")
            << blank << 'B' << ' ' << now.addDays(-1000) << false;
        QTest::newRow("new bulletin, 0 keeps for ever")
            << epurtLine("ALL", {{44, 0}}) << 'B' << ' ' << now.addDays(-5000) << true;
        QTest::newRow("stored today is never purged")
            << epurtLine("ALL", {{44, 1}}) << 'B' << ' ' << now << true;
        QTest::newRow("stored yesterday, 1 day")
            << epurtLine("ALL", {{44, 1}}) << 'B' << ' ' << now.addDays(-1) << false;
        QTest::newRow("whole days: late yesterday is a day old")
            << epurtLine("ALL", {{44, 1}}) << 'B' << ' '
            << QDateTime(now.date().addDays(-1), QTime(23, 59)) << false;
        QTest::newRow("private read, 30 days")
            << epurtLine("ALL", {{30, 30}}) << 'P' << 'Y' << now.addDays(-30) << false;
        QTest::newRow("private read, 29 days")
            << epurtLine("ALL", {{30, 30}}) << 'P' << 'Y' << now.addDays(-29) << true;
        QTest::newRow("private column not used for bulletins")
            << epurtLine("ALL", {{30, 30}}) << 'B' << 'Y' << now.addDays(-300) << true;
        QTest::newRow("to fetch uses the R column")
            << epurtLine("ALL", {{64, 10}}) << 'B' << 'r' << now.addDays(-10) << false;
        QTest::newRow("to kill") << epurtLine("ALL", {{54, 2}}) << 'B' << 'K' << now.addDays(-2)
                                 << false;
        QTest::newRow("fetch error")
            << epurtLine("ALL", {{21, 3}}) << 'P' << '-' << now.addDays(-3) << false;
        QTest::newRow("7plus") << epurtLine("ALL", {{69, 4}}) << 'A' << '+' << now.addDays(-4)
                               << false;
        QTest::newRow("not sent is never purged")
            << epurtLine("ALL", {{16, 1}, {44, 1}}) << 'P' << 'N' << now.addDays(-100) << true;
        QTest::newRow("unfinished is never purged")
            << epurtLine("ALL", {{44, 1}}) << 'B' << 'H' << now.addDays(-100) << true;
    }
    void purgeAges() {
        QFETCH(QByteArray, retention);
        QFETCH(char, kind);
        QFETCH(char, status);
        QFETCH(QDateTime, stored);
        QFETCH(bool, kept);
        StoreFixture f("OMAT\r\n" + retention + "DX\r\n");
        const HeaderRecord survivor = header(1, ' ', 'B');
        const HeaderRecord tested = storedAt(header(2, status, kind), stored);
        f.writeList("ALL", {survivor, tested});
        f.home.write("mail/ALL/2.txt", "message");
        MessageStore &store = f.started();
        store.PurgeLists();
        const std::vector<HeaderRecord> expected = kept
                                                       ? std::vector<HeaderRecord>{survivor, tested}
                                                       : std::vector<HeaderRecord>{survivor};
        QCOMPARE(f.readList("ALL"), expected);
        QCOMPARE(QFile::exists(f.home.filePath("mail/ALL/2.txt")), kept);
        QCOMPARE(store.catalog().list(1).counters, recount(expected, 0));
        QVERIFY(f.takeShown().isEmpty());
    }

    void purgeDeletesAllMessageFilesOfARemovedHeader() {
        StoreFixture f("OMAT\r\n" + epurtLine("ALL", {{59, 5}}) + "DX\r\n");
        const QDateTime old = f.clock.now().addDays(-10);
        f.writeList("ALL",
                    {storedAt(header(3, 'Y'), old), storedAt(header(4, 'Y'), old), header(4, 'Y')});
        for (const char *name :
             {"mail/ALL/3.txt", "mail/ALL/3.HTML", "mail/ALL/3", "mail/ALL/4.txt"})
            f.home.write(QLatin1String(name), "x");
        f.started().PurgeLists();
        QCOMPARE(f.readList("ALL"), std::vector<HeaderRecord>{header(4, 'Y')});
        QCOMPARE(QDir(f.home.filePath("mail/ALL")).entryList(QDir::Files), QStringList{"4.txt"});
        QCOMPARE(f.home.read("data/ALL.bak").size(), 3 + 3 * 216);
    }

    void purgeGoesOnPastAMissingList() {
        StoreFixture f("OMAT\r\n" + epurtLine("ALL", {{44, 1}}) + epurtLine("DX", {{44, 1}}));
        f.writeList("DX", {storedAt(header(1), f.clock.now().addDays(-5))});
        MessageStore &store = f.started();
        QFile::remove(f.home.filePath("data/ALL.lst"));
        QSignalSpy started(&store, &MessageStore::purgeStarted);
        QSignalSpy purging(&store, &MessageStore::purgingList);
        QSignalSpy finished(&store, &MessageStore::purgeFinished);
        store.PurgeLists();
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("funkt puhdistus. Tiedostoa ") +
                             QDir::toNativeSeparators(f.home.filePath("data/ALL.lst")) +
                             QStringLiteral(" ei muka löydy")));
        QVERIFY(f.readList("DX").empty());
        QCOMPARE(started.count(), 1);
        QCOMPARE(purging.count(), 3);
        QCOMPARE(purging.at(2).at(0).toInt(), 2);
        QCOMPARE(finished.count(), 1);
    }

    void purgeUsesEpurtAsItIsAtTheEnd() {
        StoreFixture f;
        f.writeList("ALL", {storedAt(header(1), f.clock.now().addDays(-3))});
        MessageStore &store = f.started();
        f.home.write("epurt.ini", "OMAT\r\n" + epurtLine("ALL", {{44, 2}}) + "DX\r\n");
        store.PurgeLists();
        QVERIFY(f.readList("ALL").empty());
    }

    void interruptedPurgeLeavesTheListIntact() {
        StoreFixture f("OMAT\r\n" + epurtLine("ALL", {{44, 5}}) + "DX\r\n");
        std::vector<HeaderRecord> records;
        for (int i = 1; i <= 60; ++i) // every other one expired
            records.push_back(storedAt(header(i), f.clock.now().addDays(i % 2 ? -10 : 0)));
        f.writeList("ALL", records);
        f.home.write("mail/ALL/1.txt", "expired message");
        const QByteArray before = f.home.read("data/ALL.lst");
        MessageStore &store = f.started();
        {
            const test::FileSizeLimit fullDisk(3 + 216 * 10);
            store.PurgeLists();
        }
        QCOMPARE(f.home.read("data/ALL.lst"), before);
        QVERIFY(QFile::exists(f.home.filePath("mail/ALL/1.txt")));
        const QStringList shown = f.takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Listojen puhdistus ei talleta oikein\n")));
        QVERIFY(shown[0].contains(QDir::toNativeSeparators(f.home.filePath("data/ALL.lst"))));
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::Total], 60);
        // with room again the purge goes through
        store.PurgeLists();
        QCOMPARE(int(f.readList("ALL").size()), 30);
        QCOMPARE(f.home.read("data/ALL.bak"), before);
    }

    void crashBetweenTheRenamesIsRepairedAtStart() {
        // What a purge interrupted after the old list became the backup leaves behind.
        StoreFixture f;
        const QByteArray list = listBytes({header(1), header(2, 'r')});
        f.home.write("data/ALL.bak", list);
        f.home.write("data/ALL.lst.tmp", "half a new list");
        MessageStore &store = f.started();
        QCOMPARE(f.home.read("data/ALL.lst"), list);
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::ToFetch], 1);
        QCOMPARE(f.takeShown().size(), 1);
    }
};

QTEST_GUILESS_MAIN(StoreMaintenanceTest)
#include "test_storemaintenance.moc"
