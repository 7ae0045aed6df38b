#include "StoreFixture.h"
#include "core/IniFile.h"

#include <QtTest>

using namespace krx;
using krx::test::header;
using krx::test::StoreFixture;

namespace {

const QByteArray canonical = "261692 BF   29352 KRX   @WW     QQ1ZZZ 0127/1730 New version....";

QByteArray rule(char action, char field, const QByteArray &list, const QByteArray &value) {
    QByteArray line =
        QByteArray(1, action) + ' ' + field + ' ' + list.leftJustified(12, ' ') + ' ' + value;
    return line + "\r\n";
}

} // namespace

class StoreCaptureTest : public QObject {
    Q_OBJECT

private slots:
    void listingLineIsStoredAndItsColumnsSaved() {
        StoreFixture f;
        MessageStore &store = f.started();
        QSignalSpy appended(&store, &MessageStore::headerAppended);
        store.ParseListLine(canonical, true);
        const std::vector<HeaderRecord> all = f.readList("ALL");
        QCOMPARE(int(all.size()), 1);
        QCOMPARE(all[0].number, 261692);
        QCOMPARE(all[0].size, 29352);
        QCOMPARE(all[0].status, ' ');
        QCOMPARE(store.lastStoredNumber(), 261692);
        QCOMPARE(store.newestNumber(), 0);
        const ListCounters &c = store.catalog().list(1).counters;
        QCOMPARE(c[CounterColumn::Total], 1);
        QCOMPARE(c[CounterColumn::New], 1);
        QCOMPARE(appended.count(), 1);
        QCOMPARE(appended.at(0).at(0).toInt(), 1);
        const IniFile saved(f.home.filePath("KRX.INI"));
        QCOMPARE(saved.readInteger("lista", "lst_size", 0), 10);
        QCOMPARE(saved.readInteger("lista", "lst_title", 0), 50);
        QCOMPARE(saved.readString("krx asetus", "oma kutsu", ""), QByteArray("QQ1ZZZ"));
        QCOMPARE(store.listColumns().lst_size, 10);
        store.clearLastStoredNumber();
        QCOMPARE(store.lastStoredNumber(), 0);
    }

    void probingListingOnlyMovesTheNewestNumber() {
        StoreFixture f(test::standardEpurt, rule('C', '>', "DX.LST", "KRX"));
        MessageStore &store = f.started();
        store.ParseListLine(canonical, false);
        store.ParseListLine("261693 PF   100   QQ1ZZZ @WW     QQ3ABC 0127/1730 For me", false);
        QVERIFY(f.readList("ALL").empty());
        QVERIFY(f.readList("DX").empty());
        QVERIFY(f.readList("OMAT").empty());
        QCOMPARE(store.newestNumber(), 261693);
        QCOMPARE(store.localCounter(), 100);
        QCOMPARE(f.home.read("data/ALL.num"), QByteArray(" 261693 0\r\n"));
        QCOMPARE(store.lastStoredNumber(), 0);
    }

    void droppedHeaderMovesTheNewestNumber() {
        StoreFixture f(test::standardEpurt, rule('D', '>', "", "KRX"));
        MessageStore &store = f.started();
        store.ParseListLine(canonical, true);
        QVERIFY(f.readList("ALL").empty());
        QCOMPARE(store.newestNumber(), 261692);
        QCOMPARE(store.lastStoredNumber(), 0);
    }

    void sizeFaultChangesTheCaptionAndStillStores() {
        StoreFixture f;
        MessageStore &store = f.started();
        QSignalSpy caption(&store, &MessageStore::captionNotice);
        store.ParseListLine(canonical, true);
        store.ParseListLine("261693 BF   29x52 KRX   @WW     QQ1ZZZ 0127/1730 Bad size", true);
        QCOMPARE(caption.count(), 1);
        QCOMPARE(caption.at(0).at(0).toString(), QStringLiteral("ei toimi näinkään"));
        QCOMPARE(f.readList("ALL").at(1).size, 29);
    }

    void headerToTheOwnCallGoesToThePersonalList() {
        StoreFixture f(test::standardEpurt, rule('D', '>', "", "QQ1ZZZ"));
        f.home.write("data/OMAT.num", " 140 0\r\n");
        MessageStore &store = f.started();
        store.ParseListLine(canonical, true);
        store.ParseListLine("261693 PF   100   QQ1ZZZ @WW     QQ3ABC 0127/1730 For me", true);
        const std::vector<HeaderRecord> personal = f.readList("OMAT");
        QCOMPARE(int(personal.size()), 1);
        QCOMPARE(personal[0].number, 141);
        QCOMPARE(personal[0].bbs_number, 261693);
        QCOMPARE(personal[0].status, 'r');
        QCOMPARE(f.home.read("data/OMAT.num"), QByteArray(" 141 0\r\n"));
        QCOMPARE(store.catalog().list(0).counters[CounterColumn::ToFetch], 1);
        QCOMPARE(store.lastStoredNumber(), 261693);
    }

    void moveToAMissingListFallsBackToTheDefaultList() {
        StoreFixture f(test::standardEpurt, rule('M', '>', "NOPE.LST", "KRX"));
        MessageStore &store = f.started();
        store.ParseListLine(canonical, true);
        QCOMPARE(f.takeShown(), QStringList(QStringLiteral(
                                    "Listaa NOPE.LST ei ole olemassa. Tarkista READ.INI !!")));
        QCOMPARE(int(f.readList("ALL").size()), 1);
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::Total], 1);
    }

    void moveToAnotherList() {
        StoreFixture f(test::standardEpurt,
                       rule('M', '>', "dx.lst", "KRX") + rule('+', '<', "", "QQ1ZZZ"));
        MessageStore &store = f.started();
        store.ParseListLine(canonical, true);
        QVERIFY(f.readList("ALL").empty());
        QCOMPARE(f.readList("DX").at(0).status, 'r');
        QCOMPARE(store.catalog().list(2).counters[CounterColumn::ToFetch], 1);
        QVERIFY(f.takeShown().isEmpty());
    }

    void copyRuleAppendsAndCounts() {
        StoreFixture f(test::standardEpurt, rule('C', '>', "DX.LST", "KRX"));
        MessageStore &store = f.started();
        store.ParseListLine(canonical, true);
        QCOMPARE(int(f.readList("ALL").size()), 1);
        QCOMPARE(int(f.readList("DX").size()), 1);
        QCOMPARE(store.catalog().list(2).counters[CounterColumn::Total], 1);
        QCOMPARE(store.catalog().totals()[CounterColumn::Total], 2);
    }

    void copyRuleNamingAMissingListCopiesNothing() {
        StoreFixture f(test::standardEpurt, rule('C', '>', "GONE.LST", "KRX"));
        MessageStore &store = f.started();
        store.ParseListLine(canonical, true);
        QCOMPARE(f.takeShown(), QStringList(QStringLiteral(
                                    "Listaa GONE.LST ei ole olemassa. Tarkista READ.INI !!")));
        QVERIFY(!QFile::exists(f.home.filePath("data/GONE.LST")));
        QCOMPARE(int(f.readList("ALL").size()), 1);
        QCOMPARE(store.catalog().totals()[CounterColumn::Total], 1);
    }

    void capturedHeaderOlderThanTheSeenMarkIsNotNew() {
        StoreFixture f;
        f.home.write("data/ALL.num", " 0 300\r\n");
        MessageStore &store = f.started();
        QVERIFY(store.StoreCapturedHeader(header(250), "ALL.lst"));
        QVERIFY(store.StoreCapturedHeader(header(350), "all.LST"));
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::Total], 2);
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::New], 1);
    }

    void unprotoHeaderIsStored() {
        StoreFixture f;
        f.home.write("data/ALL.num", " 1000 0\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.CaptureUnprotoHeader("B 1234 ALL@WW QQ3ABC 250127 Hello", 1001),
                 UnprotoHeader::Outcome::Parsed);
        QCOMPARE(store.newestNumber(), 1001);
        QCOMPARE(f.home.read("data/ALL.num"), QByteArray(" 1001 0\r\n"));
        const std::vector<HeaderRecord> all = f.readList("ALL");
        QCOMPARE(int(all.size()), 1);
        QCOMPARE(all[0].number, 1001);
        QCOMPARE(all[0].via.text(), QByteArray("WW"));
    }

    void unprotoSizeErrorStoresNothingAndKeepsTheNewestNumber() {
        StoreFixture f;
        f.home.write("data/ALL.num", " 1000 0\r\n");
        MessageStore &store = f.started();
        QCOMPARE(store.CaptureUnprotoHeader("B 12x4 ALL QQ3ABC 250127 Hello", 1001),
                 UnprotoHeader::Outcome::SizeError);
        QCOMPARE(f.takeShown(), QStringList(QStringLiteral("messun kokoa ei saanut irti")));
        QCOMPARE(store.newestNumber(), 1000);
        QVERIFY(f.readList("ALL").empty());
    }

    void unreadableUnprotoLineMovesTheNewestNumber() {
        StoreFixture f;
        MessageStore &store = f.started();
        QCOMPARE(store.CaptureUnprotoHeader("B 12", 1001), UnprotoHeader::Outcome::Unreadable);
        QCOMPARE(store.newestNumber(), 1001);
        QVERIFY(f.readList("ALL").empty());
    }
};

QTEST_GUILESS_MAIN(StoreCaptureTest)
#include "test_storecapture.moc"
