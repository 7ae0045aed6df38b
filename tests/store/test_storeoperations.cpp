#include "StoreFixture.h"
#include "store/ListFile.h"

#include <QtTest>

using namespace krx;
using krx::test::header;
using krx::test::StoreFixture;

namespace {

// The counters a recount of the list file gives.
ListCounters recount(const StoreFixture &f, const QString &name, qint32 seenMark) {
    ListCounters counters;
    for (const HeaderRecord &record : f.readList(name))
        counters.count(record, seenMark);
    return counters;
}

// "R r N Y K" of a list.
QString statusCounts(const ListCounters &c) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(c[CounterColumn::Unread])
        .arg(c[CounterColumn::ToFetch])
        .arg(c[CounterColumn::NotSent])
        .arg(c[CounterColumn::Read])
        .arg(c[CounterColumn::ToKill]);
}

enum class Change { Read, Kill, Mark, Unmark, ToNotSent, ToSevenPlus, ToUnfinished, ToNew };

} // namespace

Q_DECLARE_METATYPE(Change)

class StoreOperationsTest : public QObject {
    Q_OBJECT

private slots:
    void countersFollowEveryStatusChange_data() {
        QTest::addColumn<char>("before");
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("withMessage");
        QTest::addColumn<char>("after");
        QTest::addColumn<QString>("counts"); // R r N Y K after the change
        QTest::newRow("read R") << 'R' << Change::Read << true << 'Y' << "0 0 0 1 0";
        QTest::newRow("read Y stays") << 'Y' << Change::Read << true << 'Y' << "0 0 0 1 0";
        QTest::newRow("read + stays") << '+' << Change::Read << true << '+' << "0 0 0 0 0";
        QTest::newRow("kill Y") << 'Y' << Change::Kill << true << 'K' << "0 0 0 0 1";
        QTest::newRow("kill R") << 'R' << Change::Kill << true << 'K' << "0 0 0 0 1";
        QTest::newRow("kill N") << 'N' << Change::Kill << true << 'K' << "0 0 0 0 1";
        QTest::newRow("kill r without message")
            << 'r' << Change::Kill << false << 'K' << "0 0 0 0 1";
        QTest::newRow("kill new") << ' ' << Change::Kill << false << 'K' << "0 0 0 0 1";
        QTest::newRow("kill 7plus") << '+' << Change::Kill << true << 'K' << "0 0 0 0 1";
        QTest::newRow("unkill with message") << 'K' << Change::Kill << true << 'Y' << "0 0 0 1 0";
        QTest::newRow("unkill without message")
            << 'K' << Change::Kill << false << ' ' << "0 0 0 0 0";
        QTest::newRow("mark new") << ' ' << Change::Mark << false << 'r' << "0 1 0 0 0";
        QTest::newRow("mark R does nothing") << 'R' << Change::Mark << true << 'R' << "1 0 0 0 0";
        QTest::newRow("unmark r") << 'r' << Change::Unmark << false << ' ' << "0 0 0 0 0";
        QTest::newRow("unmark new does nothing")
            << ' ' << Change::Unmark << false << ' ' << "0 0 0 0 0";
        QTest::newRow("dialog R to Y") << 'R' << Change::ToNotSent << true << 'N' << "0 0 1 0 0";
        QTest::newRow("dialog R to +") << 'R' << Change::ToSevenPlus << true << '+' << "0 0 0 0 0";
        QTest::newRow("dialog N to H") << 'N' << Change::ToUnfinished << true << 'H' << "0 0 0 0 0";
        QTest::newRow("dialog K to new") << 'K' << Change::ToNew << false << ' ' << "0 0 0 0 0";
    }
    void countersFollowEveryStatusChange() {
        QFETCH(char, before);
        QFETCH(Change, change);
        QFETCH(bool, withMessage);
        QFETCH(char, after);
        QFETCH(QString, counts);
        StoreFixture f;
        f.writeList("ALL", {header(10, 'Y'), header(11, before), header(12, 'R')});
        if (withMessage)
            f.home.write("mail/ALL/11.txt", "text");
        MessageStore &store = f.started();
        QSignalSpy changed(&store, &MessageStore::headerChanged);
        switch (change) {
        case Change::Read:
            store.MarkRead(1, 1);
            break;
        case Change::Kill:
            store.ToggleKill(1, 1);
            break;
        case Change::Mark:
            store.MarkToFetch(1, 1);
            break;
        case Change::Unmark:
            store.Unmark(1, 1);
            break;
        case Change::ToNotSent:
            store.ChangeStatus(1, 1, 'N');
            break;
        case Change::ToSevenPlus:
            store.ChangeStatus(1, 1, '+');
            break;
        case Change::ToUnfinished:
            store.ChangeStatus(1, 1, 'H');
            break;
        case Change::ToNew:
            store.ChangeStatus(1, 1, ' ');
            break;
        }
        QCOMPARE(f.readList("ALL").at(1).status, after);
        const ListCounters &now = store.catalog().list(1).counters;
        QCOMPARE(now, recount(f, "ALL", 0));
        // the two other headers are one Y and one R
        ListCounters onlyThis = now;
        onlyThis.add(CounterColumn::Read, -1);
        onlyThis.add(CounterColumn::Unread, -1);
        QCOMPARE(statusCounts(onlyThis), counts);
        QCOMPARE(store.catalog().totals(), now);
        QCOMPARE(changed.count(), after == before ? 0 : 1);
        if (after != before) {
            QCOMPARE(changed.at(0).at(1).toInt(), 1);
            QCOMPARE(changed.at(0).at(2).value<HeaderRecord>().status, after);
        }
    }

    void replaceHeaderMovesTheCounters() {
        StoreFixture f;
        f.writeList("ALL", {header(10, 'R')});
        MessageStore &store = f.started();
        HeaderRecord edited = header(10, 'Y');
        edited.to = "QQ5NEW";
        edited.size = 77;
        QVERIFY(store.ReplaceHeader(1, 0, edited));
        QCOMPARE(f.readList("ALL"), std::vector<HeaderRecord>{edited});
        QCOMPARE(store.catalog().list(1).counters, recount(f, "ALL", 0));
    }

    void moveCopiesHeaderAndMessagesAndMarksTheSourceToKill() {
        StoreFixture f;
        f.writeList("ALL", {header(10, 'Y'), header(11, 'R')});
        f.home.write("data/DX.num", " 0 5\r\n");
        f.home.write("mail/ALL/11.txt", "plain");
        f.home.write("mail/ALL/11", "bare");
        f.home.write("mail/DX/11.txt", "older copy");
        MessageStore &store = f.started();
        QSignalSpy appended(&store, &MessageStore::headerAppended);
        QVERIFY(store.MoveHeader(1, 1, 2));
        QCOMPARE(f.readList("ALL").at(1).status, 'K');
        QCOMPARE(f.readList("DX"), std::vector<HeaderRecord>{header(11, 'R')});
        QCOMPARE(f.home.read("mail/DX/11.txt"), QByteArray("plain"));
        QCOMPARE(f.home.read("mail/DX/11"), QByteArray("bare"));
        QCOMPARE(f.home.read("mail/ALL/11.txt"), QByteArray("plain"));
        QCOMPARE(store.catalog().list(1).counters, recount(f, "ALL", 0));
        QCOMPARE(store.catalog().list(2).counters, recount(f, "DX", 5));
        QCOMPARE(store.catalog().list(2).counters[CounterColumn::New], 1);
        QCOMPARE(appended.count(), 1);
        QCOMPARE(appended.at(0).at(0).toInt(), 2);
        QCOMPARE(appended.at(0).at(1).toInt(), 0);
    }

    void moveOfAKilledHeaderKeepsItsStatus() {
        StoreFixture f;
        f.writeList("ALL", {header(10, 'K')});
        MessageStore &store = f.started();
        QVERIFY(store.MoveHeader(1, 0, 2));
        QCOMPARE(f.readList("ALL").at(0).status, 'K');
        QCOMPARE(f.readList("DX").at(0).status, 'K');
        QCOMPARE(store.catalog().totals(), recount(f, "ALL", 0) += recount(f, "DX", 0));
    }

    void moveToTheSameListDoesNothing() {
        StoreFixture f;
        f.writeList("ALL", {header(10, 'R')});
        MessageStore &store = f.started();
        QVERIFY(!store.MoveHeader(1, 0, 1));
        QCOMPARE(f.readList("ALL"), std::vector<HeaderRecord>{header(10, 'R')});
    }

    void moveThatCannotAppendLeavesTheSourceAsItWas() {
        StoreFixture f;
        f.writeList("ALL", {header(10, 'R')});
        MessageStore &store = f.started();
        f.home.write("data/DX.lst", ListFile::mark + "junk"); // corrupt now
        QVERIFY(!store.MoveHeader(1, 0, 2));
        QCOMPARE(f.readList("ALL").at(0).status, 'R');
        QCOMPARE(f.takeShown().size(), 1);
    }

    void seenMarkIsWrittenKeepingTheFirstNumber() {
        StoreFixture f;
        f.writeList("ALL", {header(10), header(11), header(12)});
        f.writeList("DX", {header(20), header(21)});
        f.home.write("data/ALL.num", " 12 0\r\n");
        f.home.write("data/DX.num", " 7 0\r\n");
        MessageStore &store = f.started();
        store.SetSeenMark(1, 11, 2);
        QCOMPARE(f.home.read("data/ALL.num"), QByteArray(" 12 11\r\n"));
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::New], 1);
        store.SetSeenMark(2, 21, 5); // more than are new: the counter stops at 0
        QCOMPARE(f.home.read("data/DX.num"), QByteArray(" 7 21\r\n"));
        QCOMPARE(store.catalog().list(2).counters[CounterColumn::New], 0);
        QCOMPARE(store.catalog().list(2).seenMark, 21);
    }

    void seenMarkOfAListWithoutNumberFile() {
        StoreFixture f;
        MessageStore &store = f.started();
        QFile::remove(f.home.filePath("data/DX.num"));
        store.SetSeenMark(2, 44, 0);
        QCOMPARE(f.home.read("data/DX.num"), QByteArray(" 0 44\r\n"));
    }

    void localNumbersAreHandedOutAndWritten() {
        StoreFixture f;
        f.home.write("data/OMAT.num", " 120 115\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.TakeLocalNumber(), 121);
        QCOMPARE(store.TakeLocalNumber(), 122);
        QCOMPARE(f.home.read("data/OMAT.num"), QByteArray(" 122 115\r\n"));
    }

    void missingPersonalNumberFileGives101() {
        StoreFixture f;
        MessageStore &store = f.started();
        QCOMPARE(store.TakeLocalNumber(), 101);
    }

    void newestNumberIsWrittenWithTheSeenMarkKept() {
        StoreFixture f;
        f.home.write("data/ALL.num", " 1000 990\r\n");
        MessageStore &store = f.started();
        store.SetNewestNumber(1001);
        QCOMPARE(f.home.read("data/ALL.num"), QByteArray(" 1001 990\r\n"));
        QVERIFY(f.takeShown().isEmpty());
    }

    void newestNumberThatCannotBeWrittenIsReported() {
        StoreFixture f;
        MessageStore &store = f.started();
        QFile::remove(f.home.filePath("data/ALL.num"));
        QDir().mkpath(f.home.filePath("data/ALL.num/blocked"));
        store.SetNewestNumber(1001);
        QCOMPARE(store.newestNumber(), 1001);
        const QStringList shown = f.takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Viestinumeroa ei saatu talteen.")));
        QVERIFY(shown[0].contains(QDir::toNativeSeparators(f.home.filePath("data/ALL.num"))));
    }

    void writeHeaderAppendsAndReplaces() {
        StoreFixture f;
        MessageStore &store = f.started();
        QSignalSpy appended(&store, &MessageStore::headerAppended);
        QSignalSpy changed(&store, &MessageStore::headerChanged);
        QCOMPARE(store.WriteHeader(0, header(101, 'H'), -1), std::optional<int>(0));
        QCOMPARE(store.WriteHeader(0, header(101, 'N'), 0), std::optional<int>(0));
        QCOMPARE(store.ReadHeader(0, 0), std::optional<HeaderRecord>(header(101, 'N')));
        QCOMPARE(appended.count(), 1);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!store.ReadHeader(0, 5));
        QCOMPARE(f.takeShown().size(), 1);
    }

    void adjustCounterByName() {
        StoreFixture f;
        MessageStore &store = f.started();
        store.AdjustCounterByName(CounterColumn::NotSent, 1, "omat.LST");
        QCOMPARE(store.catalog().list(0).counters[CounterColumn::NotSent], 1);
        store.AdjustCounterByName(CounterColumn::NotSent, 1, "NOPE.LST");
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("Ei moista listaa NOPE.LST ole olemassa !!")));
        QCOMPARE(store.catalog().totals()[CounterColumn::NotSent], 1);
    }

    void wideNumbersAreShownWhole() {
        ListCounters c;
        c.add(CounterColumn::Total, 1234567);
        c.add(CounterColumn::New, 123456);
        c.add(CounterColumn::Unread, 12);
        QCOMPARE(listLine("ALL", &c),
                 QStringLiteral("ALL        1234567 123456 12 0   0    0    0      "));
        c.add(CounterColumn::Total, -1234567 + 99999);
        c.add(CounterColumn::New, -123456 + 10000);
        QCOMPARE(listLine("ALL", &c),
                 QStringLiteral("ALL        99999  10000 12  0    0    0    0      "));
        QCOMPARE(listLine("AVERYLONGNAME", &c).left(20), QStringLiteral("AVERYLONGNAME 99999 "));
    }

    void searchFindsHeadersAndContent() {
        StoreFixture f;
        const std::vector<HeaderRecord> records{
            header(10, 'Y', 'B', "ALL", "QQ3ABC", "Antenna for sale"),
            header(11, ' ', 'B', "ALL", "QQ4DEF", "Wanted: antenna"),
            header(12, 'R', 'B', "DX", "QQ3ABC", "Propagation"),
            header(13, 'Y', 'B', "ALL", "QQ5GHI", "Gone message")};
        f.writeList("ALL", records);
        f.home.write("mail/ALL/10.txt", "Nothing to see");
        f.home.write("mail/ALL/12.txt", "The sun is ACTIVE today");
        MessageStore &store = f.started();
        std::vector<ReaderRequest> opened;
        store.setReaderOpener([&](const ReaderRequest &request) { opened.push_back(request); });

        SearchCriteria byTitle{"antenna", {}, {}, {}, 1, true};
        QCOMPARE(store.SearchHeaders(1, records, -1, byTitle)->index, 0);
        const std::optional<SearchHit> marked = store.SearchHeaders(1, records, 0, byTitle);
        QCOMPARE(marked->index, 1);
        QCOMPARE(f.readList("ALL").at(1).status, 'r'); // a new header found is marked
        QVERIFY(!store.SearchHeaders(1, records, 1, byTitle));
        QCOMPARE(f.takeShown(), QStringList(QStringLiteral(
                                    "Tästä listasta ei löytynyt\rhakuehdot täyttävää viestiä.")));

        SearchCriteria backward{{}, "qq3", {}, {}, -1, false};
        QCOMPARE(store.SearchHeaders(1, records, 3, backward)->index, 2);
        QVERIFY(!store.SearchHeaders(1, records, 0, backward));

        SearchCriteria content{{}, {}, {}, "active", 1, false};
        const std::optional<SearchHit> hit = store.SearchHeaders(1, records, -1, content);
        QCOMPARE(hit->index, 2);
        QVERIFY(hit->byContent);
        QCOMPARE(int(opened.size()), 1);
        QCOMPARE(opened[0].record.number, 12);
        QCOMPARE(opened[0].searchText, QByteArray("active"));
        QCOMPARE(opened[0].messagePath, f.home.filePath("mail/ALL/12.txt"));
        // a fetched header whose message is gone is a hit too
        QCOMPARE(store.SearchHeaders(1, records, 2, content)->index, 3);
    }
};

QTEST_GUILESS_MAIN(StoreOperationsTest)
#include "test_storeoperations.moc"
