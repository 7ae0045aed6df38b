#include "StoreFixture.h"

#include <QtTest>

using namespace krx;
using krx::test::header;
using krx::test::StoreFixture;

namespace {

QString nativePath(const StoreFixture &f, const char *relative) {
    return QDir::toNativeSeparators(f.home.filePath(QLatin1String(relative)));
}

// A message with a 7plus part whose go line starts a line.
const QByteArray sevenPlusMessage =
    "Hello\r\n go_7+. 001 of 001 test.7pl\r\nDATA\r\n stop_7+. (test.7pl/01)\r\n";

} // namespace

class StoreTransferTest : public QObject {
    Q_OBJECT

private slots:
    void fetchQueueTakesEveryHeaderToFetchOnce() {
        StoreFixture f;
        f.writeList("OMAT", {header(101, 'r'), header(102, 'Y')});
        f.writeList("ALL", {header(5, ' '), header(6, 'r'), header(7, 'r')});
        MessageStore &store = f.started();
        QVERIFY(store.BuildFetchQueue(true));
        QCOMPARE(store.hakulista().size(), 3);
        QVERIFY(store.BuildFetchQueue(false));
        QCOMPARE(store.hakulista().size(), 3); // nothing twice
        const auto &entries = store.hakulista().entries();
        QCOMPARE(entries[0].listIndex, 0);
        QCOMPARE(entries[0].index, 0);
        QCOMPARE(entries[1].listIndex, 1);
        QCOMPARE(entries[1].index, 1);
        QCOMPARE(entries[2].index, 2);
        QCOMPARE(store.fetchQueueText(),
                 (QByteArrayList{"OMAT.lst 0", "ALL.lst 1", "ALL.lst 2"}));

        QVERIFY(store.NextFetch());
        QCOMPARE(store.currentFetch().record.number, 101);
        QCOMPARE(store.hakulista().size(), 2);
        QVERIFY(store.BuildFetchQueue(true));
        QCOMPARE(store.hakulista().size(), 3);
    }

    void fetchQueueGoesOnPastAMissingList() {
        StoreFixture f;
        f.writeList("DX", {header(6, 'r')});
        MessageStore &store = f.started();
        QFile::remove(f.home.filePath("data/ALL.lst"));
        QVERIFY(store.BuildFetchQueue(true));
        QCOMPARE(store.hakulista().size(), 1);
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("funkt haettavat. Tiedostoa ") +
                             nativePath(f, "data/ALL.lst") + QStringLiteral(" ei muka löydy")));
    }

    void emptyStoreHasNothingToFetch() {
        StoreFixture f;
        MessageStore &store = f.started();
        QVERIFY(!store.BuildFetchQueue(true));
        QVERIFY(!store.NextFetch());
        QVERIFY(!store.currentFetch().isSet());
    }

    void currentFetchHeaderQueries() {
        StoreFixture f;
        HeaderRecord personal = header(101, 'r', 'P', "QQ1ZZZ");
        personal.bbs_number = 261700;
        personal.size = 4321;
        f.writeList("OMAT", {personal});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        QVERIFY(store.NextFetch());
        QCOMPARE(store.fetchBbsNumber(), QByteArray("261700"));
        QCOMPARE(store.fetchNumber(), QByteArray("101"));
        QCOMPARE(store.fetchSize(), 4321);
        QCOMPARE(store.fetchMessagePath(), f.home.filePath("mail/OMAT/101.txt"));
    }

    void nextFetchOnAVanishedList() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        QFile::remove(f.home.filePath("data/ALL.lst"));
        QVERIFY(!store.NextFetch());
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("funkt mikahaetaan. Tiedostoa ") +
                             nativePath(f, "data/ALL.lst") + QStringLiteral(" ei  muka löydy")));
    }

    void fetchedPlainMessageBecomesUnread() {
        StoreFixture f;
        f.writeList("ALL", {header(5, 'Y'), header(6, 'r')});
        MessageStore &store = f.started();
        QSignalSpy changed(&store, &MessageStore::headerChanged);
        store.BuildFetchQueue(true);
        QVERIFY(store.NextFetch());
        const QString path = store.fetchMessagePath();
        f.home.write("mail/ALL/6.txt", QByteArray("P\x84iv\x84\0\r\n", 8));
        store.FetchDone(path, "Uusi otsikko \x84");
        QCOMPARE(f.home.read("mail/ALL/6.txt"), QByteArray("P\xe4iv\xe4 \r\n"));
        const HeaderRecord stored = f.readList("ALL").at(1);
        QCOMPARE(stored.status, 'R');
        QCOMPARE(stored.title.text(), QByteArray("Uusi otsikko \xe4"));
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::ToFetch], 0);
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::Unread], 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toInt(), 1);
    }

    void emptyTitleKeepsTheOldOne() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r', 'B', "ALL", "QQ3ABC", "Old title")});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        store.NextFetch();
        f.home.write("mail/ALL/6.txt", "text");
        store.FetchDone(store.fetchMessagePath(), QByteArray());
        QCOMPARE(f.readList("ALL").at(0).title.text(), QByteArray("Old title"));
    }

    void sevenPlusMessageGoesToTheExtraction_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("extractionWorks");
        QTest::addColumn<bool>("extractionCalled");
        QTest::addColumn<char>("status");
        QTest::newRow("extracted") << sevenPlusMessage << true << true << '+';
        QTest::newRow("extraction failed") << sevenPlusMessage << false << true << 'R';
        QTest::newRow("section not starting a line")
            << QByteArray("Hi go_7+. x go_7+. stop_7+. y") << true << false << 'R';
        QTest::newRow("stop before go")
            << QByteArray(" stop_7+.\r\n go_7+. x") << true << false << 'R';
        QTest::newRow("info section")
            << QByteArray("a\n go_info. t.cor\n x\n stop_info.\n") << true << true << '+';
        QTest::newRow("go 70 characters after a line start")
            << QByteArray("\n") + QByteArray(69, 'x') + " go_text. a\n stop_text." << true << true
            << '+';
    }
    void sevenPlusMessageGoesToTheExtraction() {
        QFETCH(QByteArray, message);
        QFETCH(bool, extractionWorks);
        QFETCH(bool, extractionCalled);
        QFETCH(char, status);
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        QList<QByteArray> extracted;
        store.setSectionExtraction([&](const QByteArray &text) {
            extracted << text;
            return extractionWorks;
        });
        store.BuildFetchQueue(true);
        store.NextFetch();
        f.home.write("mail/ALL/6.txt", message);
        store.FetchDone(store.fetchMessagePath(), QByteArray());
        QCOMPARE(extracted.size(), extractionCalled ? 1 : 0);
        if (extractionCalled)
            QCOMPARE(extracted[0], message);
        QCOMPARE(f.readList("ALL").at(0).status, status);
        const ListCounters &c = store.catalog().list(1).counters;
        QCOMPARE(c[CounterColumn::ToFetch], 0);
        QCOMPARE(c[CounterColumn::Unread], status == 'R' ? 1 : 0);
    }

    void withoutExtractionHookTheMessageIsUnread() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        store.NextFetch();
        f.home.write("mail/ALL/6.txt", sevenPlusMessage);
        store.FetchDone(store.fetchMessagePath(), QByteArray());
        QCOMPARE(f.readList("ALL").at(0).status, 'R');
    }

    void htmlMessageIsSavedAsHtmlWithoutSections() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        store.NextFetch();
        f.home.write(
            "mail/ALL/6.txt",
            "<html><body>Hi \x84</body></html>\r\n go_info. a.cor\r\nX\r\n stop_info.\r\nEnd");
        store.FetchDone(store.fetchMessagePath(), QByteArray());
        QVERIFY(!QFile::exists(f.home.filePath("mail/ALL/6.txt")));
        QCOMPARE(f.home.read("mail/ALL/6.html"),
                 QByteArray("<html><body>Hi \xe4</body></html>\r\nEnd"));
        QCOMPARE(f.readList("ALL").at(0).status, 'R');
        QCOMPARE(store.messagePath(1, 6), f.home.filePath("mail/ALL/6.html"));
    }

    void missingMessageFileLeavesTheHeaderToFetch() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        store.NextFetch();
        store.FetchDone(store.fetchMessagePath(), "Title");
        QCOMPARE(f.readList("ALL").at(0).status, 'r');
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::ToFetch], 1);
        QCOMPARE(f.takeShown().size(), 1);
    }

    void fetchDoneOnAVanishedList() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        store.NextFetch();
        QFile::remove(f.home.filePath("data/ALL.lst"));
        store.FetchDone(store.fetchMessagePath(), QByteArray());
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("funkt kaikkituli tiedostoa ") +
                             nativePath(f, "data/ALL.lst") + QStringLiteral(" ei  muka löydy")));
    }

    void failedFetchIsMarked() {
        StoreFixture f;
        f.writeList("ALL", {header(6, 'r')});
        MessageStore &store = f.started();
        store.BuildFetchQueue(true);
        store.NextFetch();
        store.FetchFailed();
        QCOMPARE(f.readList("ALL").at(0).status, '-');
        QCOMPARE(store.currentFetch().record.status, '-');
        QCOMPARE(store.catalog().list(1).counters[CounterColumn::ToFetch], 0);
    }

    void fetchRoundEndIsAnnounced() {
        StoreFixture f;
        MessageStore &store = f.started();
        QSignalSpy ended(&store, &MessageStore::fetchRoundEnded);
        store.FetchRoundEnded();
        QCOMPARE(ended.count(), 1);
    }

    void sendQueueAndItsQueries() {
        StoreFixture f;
        HeaderRecord privateOne = header(101, 'N', 'P', "QQ3ABC", "QQ1ZZZ", "Hei \xe4");
        privateOne.via = "QQ2BBS";
        privateOne.bid = "101_QQ1ZZZ";
        privateOne.size = 321;
        HeaderRecord bulletin = header(102, 'N', 'B', "ALL", "QQ1ZZZ", "Info");
        bulletin.via = QByteArray();
        f.writeList("OMAT", {privateOne, header(103, 'Y'), bulletin});
        MessageStore &store = f.started();
        QVERIFY(store.BuildSendQueue());
        QCOMPARE(int(store.lahetyslista().entries().size()), 2);
        QCOMPARE(store.lahetyslista().entries()[0].number, 101);
        QCOMPARE(store.lahetyslista().entries()[1].index, 2);
        QCOMPARE(store.sendQueueText(), (QByteArrayList{"101 0", "102 2"}));

        QCOMPARE(store.NextSend(), std::optional<QByteArray>("P QQ3ABC@QQ2BBS"));
        QCOMPARE(store.sendTitle(), QByteArray("Hei \x84"));
        QCOMPARE(store.sendMessagePath(), f.home.filePath("mail/OMAT/101.txt"));
        QCOMPARE(store.sendProposal(), QByteArray("FA P QQ1ZZZ QQ2BBS QQ3ABC 101_QQ1ZZZ 321"));
        QCOMPARE(store.sendNumber(), QByteArray("101"));
        store.SendDone();
        QCOMPARE(f.readList("OMAT").at(0).status, 'Y');

        QCOMPARE(store.NextSend(), std::optional<QByteArray>(" ALL"));
        store.SendDone();
        QVERIFY(!store.NextSend());
        const ListCounters &c = store.catalog().list(0).counters;
        QCOMPARE(c[CounterColumn::NotSent], 0);
        QCOMPARE(c[CounterColumn::Read], 3);
        QVERIFY(!store.BuildSendQueue());
    }

    void sendQueueOnAMissingPersonalList() {
        StoreFixture f;
        MessageStore &store = f.started();
        QFile::remove(f.home.filePath("data/OMAT.lst"));
        QVERIFY(!store.BuildSendQueue());
        QCOMPARE(f.takeShown(),
                 QStringList(QStringLiteral("funkt lahetettavat. Tiedostoa ") +
                             nativePath(f, "data/OMAT.lst") + QStringLiteral(" ei muka löydy")));
    }

    void sectionMarks_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("marked");
        QTest::newRow("7plus") << QByteArray("a go_7+. b stop_7+. c") << true;
        QTest::newRow("info") << QByteArray(" go_info. x stop_info.") << true;
        QTest::newRow("text") << QByteArray(" go_text. x stop_text.") << true;
        QTest::newRow("go only") << QByteArray(" go_7+. x") << false;
        QTest::newRow("mixed kinds") << QByteArray(" go_7+. x stop_info.") << false;
        QTest::newRow("no leading space") << QByteArray("go_7+. x stop_7+.") << false;
        QTest::newRow("plain") << QByteArray("hello") << false;
    }
    void sectionMarks() {
        QFETCH(QByteArray, text);
        QFETCH(bool, marked);
        QCOMPARE(HasSectionMarks(text), marked);
    }
};

QTEST_GUILESS_MAIN(StoreTransferTest)
#include "test_storetransfer.moc"
