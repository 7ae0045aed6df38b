#include "../store/StoreFixture.h"
#include "core/ui/WindowMessageEvent.h"
#include "store/ListFile.h"
#include "store/NumberFile.h"
#include "store/ui/ColourLegend.h"
#include "store/ui/HeaderGrid.h"
#include "store/ui/HeaderTableModel.h"
#include "store/ui/ListOfListsView.h"
#include "store/ui/ListReader.h"
#include "store/ui/NewMessageNotice.h"
#include "store/ui/StatusMarkDelegate.h"
#include "store/ui/TetsiDlg.h"
#include "store/ui/Tlista.h"
#include "store/ui/Tominaisuus.h"
#include "store/ui/Tstatus_vaihto.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace krx;
using krx::test::header;

namespace {

constexpr int personal = 0;
constexpr int all = 1;
constexpr int dx = 2;

// A message store on OMAT, ALL and DX, and the lists window showing it.
class ListsWindow {
public:
    explicit ListsWindow(Language language = Language::Finnish) { f.settings.language = language; }

    // Builds the store and the window on the files as they are now and loads the lists.
    Tlista &start() {
        f.makeStore();
        lists = std::make_unique<Tlista>(
            *f.store, f.prompter,
            Tlista::Setup{f.settings.language, HeaderGridLayout::load(*f.mainSettings)});
        lists->setReaderOpener(
            [this](const ReaderRequest &request) { readers.push_back(request); });
        lists->setComposerOpener(
            [this](const ComposerRequest &request) { composers.push_back(request); });
        lists->show();
        WindowMessageEvent::post(lists.get(), CM_LOAD_LISTS);
        QCoreApplication::sendPostedEvents();
        return *lists;
    }

    // Opens a list and waits until the grid shows it.
    bool open(int listIndex) {
        lists->openList(listIndex);
        return QTest::qWaitFor([this] { return lists->showsGrid(); }, 5000);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(lists->grid(), key, modifiers);
    }

    HeaderGrid *grid() const { return lists->grid(); }
    HeaderTableModel *model() const { return lists->headers(); }
    int currentRow() const { return grid()->currentRow(); }
    QString cell(int row, int column) const {
        return model()->index(row, column).data().toString();
    }
    const ListCounters &counters(int listIndex) const {
        return f.store->catalog().list(listIndex).counters;
    }
    // The counters a count of the list file gives.
    ListCounters recount(const QString &name, int listIndex) const {
        ListCounters counters;
        for (const HeaderRecord &record : f.readList(name))
            counters.count(record, f.store->catalog().list(listIndex).seenMark);
        return counters;
    }
    QString lineShown(int listIndex) const {
        return lists->listOfLists()->lists()->item(listIndex)->text();
    }
    void writeMessage(const char *list, qint32 number, const QByteArray &text = "Text") {
        f.home.write(QStringLiteral("mail/%1/%2.txt").arg(list).arg(number), text);
    }
    void writeNumbers(const char *list, qint32 first, qint32 seenMark) {
        f.home.write(QStringLiteral("data/%1.num").arg(list),
                     NumberFile::format({first, seenMark}));
    }

    test::StoreFixture f;
    std::vector<ReaderRequest> readers;
    std::vector<ComposerRequest> composers;
    std::unique_ptr<Tlista> lists;
};

std::vector<HeaderRecord> numbered(int count, char status = status::New) {
    std::vector<HeaderRecord> records;
    for (int number = 1; number <= count; ++number)
        records.push_back(
            header(number, status, 'B', "ALL", "QQ3ABC", "Title " + QByteArray::number(number)));
    return records;
}

QAction *actionNamed(QMenu *menu, const QString &name) {
    for (QAction *action : menu->actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

QAction *actionTexted(QMenu *menu, const QString &text) {
    for (QAction *action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class ListsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void listOfListsInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("headerStart");
        QTest::addColumn<QString>("totalsStart");
        QTest::addColumn<QString>("popup");
        QTest::addColumn<QString>("moveHint");
        QTest::addColumn<QString>("newHint");
        QTest::addColumn<QString>("sevenPlus");
        QTest::newRow("Finnish") << false << "Listojen lista" << QString::fromUtf8("RYHMÄ")
                                 << "KAIKKIAAN"
                                 << "PopupMenu2"
                                 << "Listaan DX"
                                 << "Uusi viesti"
                                 << "Uudet vastaanotetut 7plus-tiedostot";
        QTest::newRow("English") << true << "List of lists"
                                 << "GROUP      MSG"
                                 << "TOTAL"
                                 << "PopupMenu4"
                                 << "To list DX"
                                 << "New message"
                                 << "7+ files decoded during this session";
    }
    void listOfListsInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QString, caption);
        QFETCH(QString, headerStart);
        QFETCH(QString, totalsStart);
        QFETCH(QString, popup);
        QFETCH(QString, moveHint);
        QFETCH(QString, newHint);
        QFETCH(QString, sevenPlus);
        ListsWindow w(english ? Language::English : Language::Finnish);
        w.f.writeList("ALL", numbered(12));
        Tlista &lists = w.start();
        ListOfListsView *view = lists.listOfLists();
        QCOMPARE(lists.windowTitle(), caption);
        QCOMPARE(view->lists()->count(), 3);
        QCOMPARE(w.lineShown(all), w.f.store->catalog().line(all));
        QVERIFY(w.lineShown(all).startsWith("ALL        12     12"));
        QVERIFY(view->columnHeader()->text().startsWith(headerStart));
        QVERIFY(view->totals()->text().startsWith(totalsStart));
        QCOMPARE(view->selectedList(), 0);
        QCOMPARE(lists.menus()->listPopup()->objectName(), popup);
        QAction *toDx = actionNamed(lists.menus()->movePopup(), "n_2");
        QVERIFY(toDx);
        QCOMPARE(toDx->text(), QString("DX"));
        QCOMPARE(toDx->statusTip(), moveHint);
        QCOMPARE(lists.findChild<QWidget *>("Shape1")->toolTip(), newHint);
        QVERIFY(!lists.findChild<QWidget *>("Shape6"));
        QCOMPARE(lists.findChild<QLabel *>("Label1")->text(), sevenPlus);
        QVERIFY(lists.findChild<QListWidget *>("p7_lista"));
    }

    void summaryCarriesTheTotals() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1), header(2, 'r'), header(3, 'R'), header(4, 'R')});
        Tlista &lists = w.start();
        QSignalSpy summaries(&lists, &Tlista::statusSummaryChanged);
        QVERIFY(summaries.wait(5000));
        QCOMPARE(summaries.last().at(0).toString(), QString("U:4 R:2 r:1"));
    }

    void openingAListShowsItsHeaders() {
        ListsWindow w;
        w.f.writeList("ALL", numbered(30));
        w.writeNumbers("ALL", 0, 20);
        Tlista &lists = w.start();
        lists.openList(all);
        QVERIFY(lists.isReading());
        QCOMPARE(lists.readingLabel()->text(), QString("Hetki.. Luetaan listaa"));
        QVERIFY(QTest::qWaitFor([&] { return lists.showsGrid(); }, 5000));
        QCOMPARE(lists.windowTitle(), QString::fromUtf8("Listan ALL.lst sisältö"));
        QCOMPARE(w.model()->rowCount(), 30);
        QCOMPARE(w.model()->columnCount(), 8);
        QCOMPARE(w.currentRow(), 19); // the last header not above the seen mark
        QVERIFY(w.grid()->hasFocus());
        const QStringList titles{
            "  Numero", "T", "S", "Koko", "Kenelle", "Kautta", QString::fromUtf8("Keneltä"),
            "Otsikko"};
        for (int column = 0; column < titles.size(); ++column)
            QCOMPARE(w.model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                     titles[column]);
        const QStringList row{"21", "B", " ", "1021", "ALL", "WW", "QQ3ABC", "Title 21"};
        for (int column = 0; column < row.size(); ++column)
            QCOMPARE(w.cell(20, column), row[column]);
        QVERIFY(!w.model()->index(19, 0).data(HeaderTableModel::NewRole).toBool());
        QVERIFY(w.model()->index(20, 0).data(HeaderTableModel::NewRole).toBool());
    }

    void timeColumnFollowsTheSettings_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("time");
        QTest::newRow("default picture")
            << QByteArray("otsake_time=8\r\n") << false << 9 << "B-Aika"
            << "24.12.23 08:05:09";
        QTest::newRow("own picture in English")
            << QByteArray(
                   "otsake_time=0\r\notsake_numero=8\r\najan esitys muoto=dd/mm\" \"hh:nn\r\n")
            << true << 9 << "B-time"
            << "24/12 08:05";
    }
    void timeColumnFollowsTheSettings() {
        QFETCH(QByteArray, section);
        QFETCH(bool, english);
        QFETCH(int, columns);
        QFETCH(QString, title);
        QFETCH(QString, time);
        ListsWindow w(english ? Language::English : Language::Finnish);
        w.f.home.write("KRX.INI", "[otsakelista]\r\n" + section);
        HeaderRecord record = header(5);
        record.bbs_time = 45284.33690972222; // 24.12.2023 08:05:09
        w.f.writeList("ALL", {record});
        w.start();
        QVERIFY(w.open(all));
        QCOMPARE(w.model()->columnCount(), columns);
        const HeaderGridLayout layout = w.model()->layout();
        const int column = layout.position(HeaderField::Time);
        QCOMPARE(w.model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), title);
        QCOMPARE(w.cell(0, column), time);
    }

    void emptyListOpensWithOneEmptyRow() {
        ListsWindow w;
        Tlista &lists = w.start();
        QVERIFY(w.open(personal));
        QCOMPARE(w.model()->rowCount(), 1);
        QVERIFY(!w.model()->hasRecord(0));
        QCOMPARE(w.cell(0, 0), QString());
        w.press(Qt::Key_Return);
        w.press(Qt::Key_K);
        QVERIFY(w.f.prompter.shown.empty());
        w.press(Qt::Key_H);
        QCOMPARE(w.f.takeShown(),
                 QStringList{QString::fromUtf8("Ei voi hakea tyhjästä listasta.")});
        QVERIFY(!lists.searchWindow());
    }

    void keysOfTheGrid_data() {
        QTest::addColumn<char>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("withMessage");
        QTest::addColumn<char>("after");
        QTest::addColumn<bool>("movesDown");
        QTest::addColumn<int>("readers");
        QTest::addColumn<int>("composers");
        QTest::newRow("Enter marks a new header")
            << ' ' << int(Qt::Key_Return) << false << 'r' << true << 0 << 0;
        QTest::newRow("Right arrow marks too")
            << ' ' << int(Qt::Key_Right) << false << 'r' << true << 0 << 0;
        QTest::newRow("Enter unmarks")
            << 'r' << int(Qt::Key_Return) << false << ' ' << true << 0 << 0;
        QTest::newRow("Enter reads a fetched message")
            << 'R' << int(Qt::Key_Return) << true << 'R' << false << 1 << 0;
        QTest::newRow("Enter reads a 7plus message")
            << '+' << int(Qt::Key_Enter) << true << '+' << false << 1 << 0;
        QTest::newRow("Enter continues an unfinished one")
            << 'H' << int(Qt::Key_Return) << true << 'H' << false << 0 << 1;
        QTest::newRow("Enter on a failed fetch does nothing")
            << '-' << int(Qt::Key_Return) << false << '-' << false << 0 << 0;
        QTest::newRow("K kills a read header")
            << 'Y' << int(Qt::Key_K) << true << 'K' << true << 0 << 0;
        QTest::newRow("K kills a header to fetch")
            << 'r' << int(Qt::Key_K) << false << 'K' << true << 0 << 0;
        QTest::newRow("K revives with its message as read")
            << 'K' << int(Qt::Key_K) << true << 'Y' << true << 0 << 0;
        QTest::newRow("K revives without message as new")
            << 'K' << int(Qt::Key_K) << false << ' ' << true << 0 << 0;
        QTest::newRow("R answers a fetched message")
            << 'R' << int(Qt::Key_R) << true << 'Y' << false << 0 << 1;
        QTest::newRow("other letters do nothing")
            << ' ' << int(Qt::Key_X) << false << ' ' << false << 0 << 0;
    }
    void keysOfTheGrid() {
        QFETCH(char, before);
        QFETCH(int, key);
        QFETCH(bool, withMessage);
        QFETCH(char, after);
        QFETCH(bool, movesDown);
        QFETCH(int, readers);
        QFETCH(int, composers);
        ListsWindow w;
        w.f.writeList("ALL", {header(1, before), header(2), header(3)});
        if (withMessage)
            w.writeMessage("ALL", 1);
        w.start();
        QVERIFY(w.open(all));
        QCOMPARE(w.currentRow(), 0);
        w.press(Qt::Key(key));
        QCOMPARE(w.f.readList("ALL")[0].status, after);
        QCOMPARE(w.cell(0, 2), QString(QChar::fromLatin1(after)));
        QCOMPARE(w.currentRow(), movesDown ? 1 : 0);
        QVERIFY(w.counters(all) == w.recount("ALL", all));
        QCOMPARE(w.lineShown(all), w.f.store->catalog().line(all));
        QCOMPARE(int(w.readers.size()), readers);
        QCOMPARE(int(w.composers.size()), composers);
        if (readers)
            QVERIFY(w.readers[0].messagePath.endsWith("1.txt"));
        if (composers)
            QCOMPARE(w.composers[0].mode, key == Qt::Key_R ? ComposerRequest::Mode::Reply
                                                           : ComposerRequest::Mode::Continue);
        QVERIFY(w.f.prompter.shown.empty());
    }

    void gridPopupActsAsTheKeys() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1), header(2)});
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        QMenu *popup = lists.menus()->gridPopup();
        QCOMPARE(popup->objectName(), QString("PopupMenu1"));
        actionTexted(popup, "&Merkitse")->trigger();
        QCOMPARE(w.f.readList("ALL")[0].status, 'r');
        actionTexted(popup, "&Poista")->trigger();
        QCOMPARE(w.f.readList("ALL")[1].status, 'K');
        actionTexted(popup, "Vaihda &font")->trigger();
        QVERIFY(lists.isToggled());
        QVERIFY(actionTexted(lists.menus()->listPopup(), "Vaihda &Font")->isChecked());
        actionTexted(popup, "&Takaisin")->trigger();
        QVERIFY(!lists.showsGrid());
        QCOMPARE(lists.windowTitle(), QString("Listojen lista"));
    }

    void leavingTheListMarksTheHeadersPassedAsSeen_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint32>("first"); // A of the number file, kept
        QTest::newRow("default list") << all << "ALL" << 0;
        QTest::newRow("rule-chosen list") << dx << "DX" << 55;
    }
    void leavingTheListMarksTheHeadersPassedAsSeen() {
        QFETCH(int, list);
        QFETCH(QString, name);
        QFETCH(qint32, first);
        ListsWindow w;
        w.f.writeList(name, numbered(10));
        w.writeNumbers(qPrintable(name), first, 3);
        Tlista &lists = w.start();
        QCOMPARE(w.counters(list)[CounterColumn::New], 7);
        QVERIFY(w.open(list));
        QCOMPARE(w.currentRow(), 2);
        for (int down = 0; down < 4; ++down)
            w.press(Qt::Key_Down);
        QCOMPARE(w.currentRow(), 6);
        w.press(Qt::Key_Escape);
        QVERIFY(!lists.showsGrid());
        const NumberFile numbers(w.f.home.filePath("data/" + name + ".num"));
        QCOMPARE(numbers.read()->seenMark, 7);
        QCOMPARE(numbers.read()->first, first);
        QCOMPARE(w.counters(list)[CounterColumn::New], 3);
        QCOMPARE(w.lineShown(list), w.f.store->catalog().line(list));

        // Back in: the cursor is at the first header not older than the mark, without a read.
        lists.openList(list);
        QVERIFY(!lists.isReading());
        QVERIFY(lists.showsGrid());
        QCOMPARE(w.currentRow(), 6);
        w.press(Qt::Key_Up);
        w.press(Qt::Key_Left); // above the last seen row: nothing changes
        QCOMPARE(numbers.read()->seenMark, 7);
        QCOMPARE(w.counters(list)[CounterColumn::New], 3);
    }

    void headersStoredWhileReadingAreShownOnce() {
        ListsWindow w;
        w.f.writeList("ALL", numbered(2000));
        Tlista &lists = w.start();
        lists.openList(all);
        QVERIFY(lists.isReading());
        QVERIFY(w.f.store->StoreCapturedHeader(header(2001), "ALL.lst"));
        QVERIFY(w.f.store->MarkToFetch(all, 0));
        QVERIFY(QTest::qWaitFor([&] { return lists.showsGrid(); }, 5000));
        QCOMPARE(w.model()->rowCount(), 2001);
        QCOMPARE(w.model()->record(2000).number, 2001);
        QCOMPARE(w.model()->record(0).status, 'r');
        QVERIFY(w.model()->records() == w.f.readList("ALL"));
    }

    // The file holds a fixed content while it is read, so either order of read and write is
    // certain: a header written meanwhile is added when the read missed it, and not twice when
    // the read has it already.
    void readerAppliesHeadersWrittenMeanwhileOnce_data() {
        QTest::addColumn<int>("inFile");
        QTest::newRow("read before the write") << 3;
        QTest::newRow("read after the write") << 4;
    }
    void readerAppliesHeadersWrittenMeanwhileOnce() {
        QFETCH(int, inFile);
        test::StoreFixture f;
        std::vector<HeaderRecord> records = numbered(inFile);
        f.writeList("ALL", records);
        ListReader reader;
        QSignalSpy read(&reader, &ListReader::listRead);
        reader.read(f.home.filePath("data/ALL.lst"), 2);
        QVERIFY(reader.isReading());
        reader.written(3, header(4, status::ToFetch));
        reader.written(0, header(1, status::ToKill));
        QVERIFY(read.wait(5000));
        QVERIFY(!reader.isReading());
        const ListContents contents = reader.takeContents();
        QVERIFY(!contents.error);
        QCOMPARE(int(contents.records.size()), 4);
        QCOMPARE(contents.records[3].status, 'r');
        QCOMPARE(contents.records[0].status, 'K');
    }

    void readerForgetsAnEarlierRead() {
        test::StoreFixture f;
        f.writeList("ALL", numbered(5));
        f.writeList("DX", numbered(2));
        ListReader reader;
        QSignalSpy read(&reader, &ListReader::listRead);
        reader.read(f.home.filePath("data/ALL.lst"), 500);
        reader.written(5, header(6)); // belongs to the read that is given up
        reader.read(f.home.filePath("data/DX.lst"), 500);
        QVERIFY(read.wait(5000));
        QCOMPARE(int(reader.takeContents().records.size()), 2);
        QCOMPARE(read.count(), 1); // the first read's message came before and was dropped
    }

    void storeWritesFollowInTheGrid() {
        ListsWindow w;
        w.f.writeList("ALL", numbered(3));
        w.start();
        QVERIFY(w.open(all));
        QVERIFY(w.f.store->StoreCapturedHeader(header(4), "ALL.lst"));
        QCOMPARE(w.model()->rowCount(), 4);
        QCOMPARE(w.cell(3, 0), QString("4"));
        QVERIFY(w.f.store->ChangeStatus(all, 1, 'Y'));
        QCOMPARE(w.cell(1, 2), QString("Y"));
        QVERIFY(w.f.store->StoreCapturedHeader(header(9), "DX.lst")); // another list
        QCOMPARE(w.model()->rowCount(), 4);
    }

    void firstHeaderOfAnEmptyListTakesTheEmptyRow() {
        ListsWindow w;
        w.start();
        QVERIFY(w.open(dx));
        QVERIFY(w.f.store->StoreCapturedHeader(header(1), "DX.lst"));
        QCOMPARE(w.model()->rowCount(), 1);
        QCOMPARE(w.cell(0, 0), QString("1"));
    }

    void repairedListIsReadAgain() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1), header(2), header(2), header(3)});
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        QCOMPARE(w.model()->rowCount(), 4);
        w.f.store->RepairList(all);
        QVERIFY(
            QTest::qWaitFor([&] { return lists.showsGrid() && w.model()->rowCount() == 3; }, 5000));
    }

    void corruptListIsReportedAndNotShown() {
        ListsWindow w;
        Tlista &lists = w.start();
        w.f.home.write("data/ALL.lst", ListFile::mark + QByteArray(100, 'x'));
        lists.openList(all);
        QVERIFY(QTest::qWaitFor([&] { return !lists.isReading(); }, 5000));
        QVERIFY(!lists.showsGrid());
        QCOMPARE(lists.loadedList(), -1);
        const QStringList shown = w.f.takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains("on vahingoittunut"));
    }

    void statusWindowChangesTheStatus_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<char>("before");
        QTest::addColumn<bool>("withMessage");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<char>("after");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow("R to Y") << all << 'R' << true << "luettu" << 'Y'
                                << QStringList{"lahettamaton", "kesken"};
        QTest::newRow("R to 7plus")
            << all << 'R' << true << "plus_7" << '+' << QStringList{"lahettamaton", "kesken"};
        QTest::newRow("no message: fetched letters off")
            << all << ' ' << false << "luettava" << 'r'
            << QStringList{"lukematon", "luettu", "lahettamaton", "kesken"};
        QTest::newRow("personal list with message")
            << personal << 'Y' << true << "lahettamaton" << 'N' << QStringList{};
    }
    void statusWindowChangesTheStatus() {
        QFETCH(int, list);
        QFETCH(char, before);
        QFETCH(bool, withMessage);
        QFETCH(QString, choice);
        QFETCH(char, after);
        QFETCH(QStringList, disabled);
        ListsWindow w;
        const char *name = list == personal ? "OMAT" : "ALL";
        w.f.writeList(name, {header(101, before), header(102)});
        if (withMessage)
            w.writeMessage(name, 101);
        Tlista &lists = w.start();
        QVERIFY(w.open(list));
        w.press(Qt::Key_E);
        auto *dialog = lists.findChild<Tstatus_vaihto *>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Statuksen vaihto"));
        for (QRadioButton *button : dialog->findChildren<QRadioButton *>())
            QCOMPARE(button->isEnabled(), !disabled.contains(button->objectName()));
        QCOMPARE(dialog->chosenStatus(), std::optional<char>(before));
        dialog->findChild<QRadioButton *>(choice)->setChecked(true);
        dialog->findChild<QPushButton *>("OK")->click();
        QCOMPARE(w.f.readList(name)[0].status, after);
        QCOMPARE(w.cell(0, 2), QString(QChar::fromLatin1(after)));
        QCOMPARE(w.currentRow(), 0); // the status window does not move the cursor
        QVERIFY(w.counters(list) == w.recount(name, list));
    }

    void statusWindowCancelChangesNothing() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1, 'R')});
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        w.press(Qt::Key_E);
        auto *dialog = lists.findChild<Tstatus_vaihto *>();
        dialog->findChild<QRadioButton *>("poistettava")->setChecked(true);
        dialog->findChild<QPushButton *>("Peruuta")->click();
        QCOMPARE(w.f.readList("ALL")[0].status, 'R');
    }

    void propertiesWindowSavesTheEditableFields() {
        ListsWindow w(Language::English);
        HeaderRecord record = header(7, 'R', 'P', "QQ1ZZZ");
        w.f.writeList("ALL", {record});
        w.writeMessage("ALL", 7);
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        w.press(Qt::Key_Return, Qt::AltModifier);
        auto *dialog = lists.findChild<Tominaisuus *>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Properties"));
        QTableWidget *fields = dialog->fields();
        QCOMPARE(fields->rowCount(), 13);
        QCOMPARE(fields->item(12, 0)->text(), QString("Bulletin ID   (BID)"));
        QCOMPARE(fields->item(Tominaisuus::Number, 1)->text(), QString("7"));
        QCOMPARE(fields->item(Tominaisuus::Size, 1)->text(), QString("1007"));
        QCOMPARE(fields->item(Tominaisuus::BbsTime, 1)->text(), QString("09/12/2025 12:00:00"));
        for (int row = 0; row < Tominaisuus::RowCount; ++row) {
            const bool editable = QList<int>{0, 1, 3, 5, 6, 10, 12}.contains(row);
            QCOMPARE(bool(fields->item(row, 1)->flags() & Qt::ItemIsEditable), editable);
            QVERIFY(!(fields->item(row, 0)->flags() & Qt::ItemIsEditable));
        }

        fields->item(Tominaisuus::Size, 1)->setText("big");
        dialog->findChild<QPushButton *>("Talleta")->click();
        QCOMPARE(w.f.takeShown(), QStringList{"Size of message must be number"});
        QVERIFY(dialog->isVisible());
        QVERIFY(w.f.readList("ALL")[0] == record);

        fields->item(Tominaisuus::Size, 1)->setText("4242");
        fields->item(Tominaisuus::Status, 1)->setText("Y");
        fields->item(Tominaisuus::To, 1)->setText("QQ9ABCDEF");
        fields->item(Tominaisuus::Kind, 1)->setText("");
        fields->item(Tominaisuus::Bid, 1)->setText(QString(30, 'B'));
        QTest::keyClick(fields, Qt::Key_Return); // Enter in the grid saves
        const HeaderRecord saved = w.f.readList("ALL")[0];
        QCOMPARE(saved.size, 4242);
        QCOMPARE(saved.status, 'Y');
        QCOMPARE(saved.to.text(), QByteArray("QQ9ABC"));
        QCOMPARE(saved.kind, 'P'); // an emptied type keeps the type
        QCOMPARE(saved.bid.text(), QByteArray(19, 'B'));
        QCOMPARE(w.cell(0, 3), QString("4242"));
        QCOMPARE(w.counters(all)[CounterColumn::Unread], 0);
        QCOMPARE(w.counters(all)[CounterColumn::Read], 1);
        QVERIFY(w.f.prompter.shown.empty());
        QVERIFY(QTest::qWaitFor([&] { return !lists.findChild<Tominaisuus *>(); }, 5000));
    }

    void searchFindsAndMarks() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1, ' ', 'B', "ALL", "QQ3ABC", "Kevät"),
                              header(2, ' ', 'B', "ALL", "QQ4XYZ", "Syksyn kokous"),
                              header(3, ' ', 'B', "DX", "QQ3ABC", "Talven KOKOUS")});
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        w.press(Qt::Key_H);
        TetsiDlg *dialog = lists.searchWindow();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Etsitään viestiä"));

        dialog->findChild<QPushButton *>("OKBtn")->click();
        QCOMPARE(w.f.takeShown(),
                 QStringList{QString::fromUtf8(
                     "Kaikki kentät eivät voi olla tyhjiä.\rEi ole mitää etsittävää.")});

        dialog->findChild<QLineEdit *>("otsikko")->setText("kokous");
        dialog->findChild<QCheckBox *>("merkkaa")->setChecked(true);
        dialog->findChild<QPushButton *>("OKBtn")->click();
        QCOMPARE(w.currentRow(), 1);
        QCOMPARE(w.f.readList("ALL")[1].status, 'r'); // marked, and the cursor stays
        w.press(Qt::Key_H);                           // again with the same texts
        QCOMPARE(w.currentRow(), 2);
        w.press(Qt::Key_H);
        QCOMPARE(w.currentRow(), 2);
        QCOMPARE(w.f.takeShown(), QStringList{QString::fromUtf8(
                                      "Tästä listasta ei löytynyt\rhakuehdot täyttävää viestiä.")});

        dialog->findChild<QRadioButton *>("taakse")->setChecked(true);
        dialog->findChild<QLineEdit *>("otsikko")->setText("kevät");
        WindowMessageEvent::post(dialog, CM_SEARCH_FORWARD); // forward whatever the direction
        QCoreApplication::sendPostedEvents(dialog);
        QCOMPARE(w.f.takeShown(), QStringList{QString::fromUtf8(
                                      "Tästä listasta ei löytynyt\rhakuehdot täyttävää viestiä.")});
        QCOMPARE(w.currentRow(), 2);

        dialog->findChild<QLineEdit *>("otsikko")->clear();
        dialog->findChild<QLineEdit *>("kenelt")->setText("qq3");
        dialog->findChild<QPushButton *>("OKBtn")->click();
        QCOMPARE(w.currentRow(), 0);

        // While searching, K does not move the cursor; after closing it does again.
        w.press(Qt::Key_K);
        QCOMPARE(w.currentRow(), 0);
        dialog->close();
        QVERIFY(QTest::qWaitFor([&] { return !lists.searchWindow(); }, 5000));
        w.press(Qt::Key_K);
        QCOMPARE(w.currentRow(), 1);

        // A new search window starts with the texts kept from the last search.
        w.press(Qt::Key_H);
        QCOMPARE(lists.searchWindow()->findChild<QLineEdit *>("kenelt")->text(), QString("qq3"));
        QVERIFY(lists.searchWindow()->findChild<QRadioButton *>("taakse")->isChecked());
    }

    void searchByContentOpensTheReader() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1, 'Y'), header(2, ' '), header(3, 'R')});
        w.writeMessage("ALL", 1, "nothing here");
        w.writeMessage("ALL", 3, "the antenna is up");
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        lists.SearchHeaders({{}, {}, {}, "ANTENNA", 1, false});
        QCOMPARE(w.currentRow(), 2);
        QCOMPARE(int(w.readers.size()), 1);
        QCOMPARE(w.readers[0].searchText, QByteArray("ANTENNA"));
    }

    void moveToAnotherList() {
        ListsWindow w;
        w.f.writeList("ALL", {header(1, 'R'), header(2)});
        w.writeMessage("ALL", 1);
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        QCOMPARE(lists.menus()->movePopup()->objectName(), QString("nappikayttis"));
        actionNamed(lists.menus()->movePopup(), "n_2")->trigger();
        QCOMPARE(w.f.readList("ALL")[0].status, 'K');
        QCOMPARE(w.f.readList("DX").size(), std::size_t(1));
        QCOMPARE(w.f.readList("DX")[0].status, 'R');
        QVERIFY(QFile::exists(w.f.home.filePath("mail/DX/1.txt")));
        QCOMPARE(w.cell(0, 2), QString("K"));
        QCOMPARE(w.lineShown(dx), w.f.store->catalog().line(dx));
    }

    void listOfListsKeys() {
        ListsWindow w;
        w.f.writeList("ALL", numbered(2));
        Tlista &lists = w.start();
        QListWidget *view = lists.listOfLists()->lists();
        view->setCurrentRow(all);
        QTest::keyClick(view, Qt::Key_Right);
        QVERIFY(QTest::qWaitFor([&] { return lists.showsGrid(); }, 5000));
        QCOMPARE(lists.loadedList(), all);
        w.press(Qt::Key_Left);
        QVERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(lists.isMinimized());
    }

    void newMessageNoticeFollowsThePersonalList() {
        ListsWindow w(Language::English);
        w.f.writeList("OMAT", {header(101)});
        Tlista &lists = w.start();
        NewMessageNotice *notice = lists.newMessageNotice();
        QVERIFY(!notice->isShown()); // not at start, though the list has a new header
        QVERIFY(w.f.store->StoreCapturedHeader(header(102), "OMAT.lst"));
        QVERIFY(notice->isShown());
        QCOMPARE(notice->toolTip(), QString("New messages count 2"));
        QVERIFY(w.open(personal));
        w.press(Qt::Key_Down);
        w.press(Qt::Key_Escape);
        QVERIFY(!notice->isShown());
        QVERIFY(w.f.prompter.shown.empty()); // no notification area here, and no error
    }

    void noticeTextInFinnish() {
        NewMessageNotice notice(Language::Finnish);
        notice.showCount(3);
        QCOMPARE(notice.toolTip(), QString::fromUtf8("Uusia viestejä 3 kpl."));
        notice.showCount(0);
        QVERIFY(!notice.isShown());
    }

    void statusMarkColours_data() {
        QTest::addColumn<char>("status");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QColor>("color");
        const QPalette palette;
        QTest::newRow("7plus") << '+' << false << QColor(Qt::gray);
        QTest::newRow("failed") << '-' << false << QColor(Qt::red);
        QTest::newRow("not sent") << 'N' << false << QColor(Qt::red);
        QTest::newRow("unfinished") << 'H' << false << QColor(Qt::magenta);
        QTest::newRow("to kill") << 'K' << false << QColor(0x80, 0, 0);
        QTest::newRow("unread") << 'R' << false << QColor(Qt::blue);
        QTest::newRow("read") << 'Y' << false << QColor(Qt::cyan);
        QTest::newRow("to fetch") << 'r' << true << QColor(Qt::green);
        QTest::newRow("new") << ' ' << true << QColor(Qt::yellow);
        QTest::newRow("seen") << ' ' << false << palette.color(QPalette::Base);
    }
    void statusMarkColours() {
        QFETCH(char, status);
        QFETCH(bool, isNew);
        QFETCH(QColor, color);
        QCOMPARE(statusMarkColor(status, isNew, QPalette()), color);
    }

    void endOfRunPurgesAndKeepsTheWindowState() {
        ListsWindow w;
        w.f.home.write("epurt.ini", "OMAT\r\nALL" + QByteArray(40, ' ') + "30\r\nDX\r\n");
        HeaderRecord old = header(1);
        old.stored_time -= 45;
        w.f.writeList("ALL", {old, header(2)});
        Tlista &lists = w.start();
        QVERIFY(w.open(all));
        lists.showMinimized();
        lists.finishRun(true);
        QCOMPARE(w.f.readList("ALL").size(), std::size_t(1));
        QVERIFY(lists.isMinimized());
        QVERIFY(!lists.showsGrid());
        QVERIFY(!QGuiApplication::overrideCursor());
        lists.openList(all); // read again after the purge
        QVERIFY(QTest::qWaitFor([&] { return lists.showsGrid(); }, 5000));
        QCOMPARE(w.model()->rowCount(), 1);
    }
};

QTEST_MAIN(ListsWindowTest)
#include "test_listswindow.moc"
