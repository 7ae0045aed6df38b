#include "store/ui/Tlista.h"

#include "core/Prompter.h"
#include "core/ui/WindowMessageEvent.h"
#include "store/ListFile.h"
#include "store/MessageStore.h"
#include "store/StoreReporter.h"
#include "store/ui/HeaderGrid.h"
#include "store/ui/HeaderTableModel.h"
#include "store/ui/ListOfListsView.h"
#include "store/ui/ListReader.h"
#include "store/ui/ListsWindowTexts.h"
#include "store/ui/NewMessageNotice.h"
#include "store/ui/TetsiDlg.h"
#include "store/ui/Tominaisuus.h"
#include "store/ui/Tstatus_vaihto.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace krx {

namespace {

namespace t = listswindowtexts;

constexpr int widthInCharacters = 96;
constexpr int readingLabelPointSize = 18;

} // namespace

Tlista::Tlista(MessageStore &store, Prompter &prompter, const Setup &setup, QWidget *parent)
    : MdiChildWindow(parent), store_(store), prompter_(prompter), language_(setup.language),
      menus_(new ListsMenus(setup.language, this)), reader_(new ListReader(this)),
      notice_(new NewMessageNotice(setup.language, this)) {
    setObjectName(QStringLiteral("lista"));
    setWindowTitle(t::caption.in(language_));
    buildViews(setup);
    connectStore();
    connectViews();
    // Four fifths of the main window's client area, itself about four fifths of the screen.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->availableGeometry().height() : 768;
    setPreferredSize(QSize(widthInCharacters * fontMetrics().horizontalAdvance(QLatin1Char('w')),
                           screenHeight * 4 / 5 * 4 / 5));
}

void Tlista::buildViews(const Setup &setup) {
    listOfLists_ = new ListOfListsView(language_);
    lista_lbl_ = new QLabel(t::readingList.in(language_));
    lista_lbl_->setObjectName(QStringLiteral("lista_lbl"));
    lista_lbl_->setAlignment(Qt::AlignCenter);
    QFont large = lista_lbl_->font();
    large.setPointSize(readingLabelPointSize);
    lista_lbl_->setFont(large);
    headers_ = new HeaderTableModel(setup.grid, language_, this);
    ll_ = new HeaderGrid(*headers_);

    pages_ = new QStackedWidget;
    pages_->addWidget(listOfLists_);
    pages_->addWidget(lista_lbl_);
    pages_->addWidget(ll_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
}

void Tlista::connectStore() {
    MessageStore &store = store_;
    connect(&store, &MessageStore::listLineChanged, this, [this](int listIndex) {
        listOfLists_->setLine(listIndex, store_.catalog().line(listIndex));
    });
    connect(&store, &MessageStore::totalsChanged, this, [this] {
        listOfLists_->setTotals(store_.catalog().totalsLine());
        postStatusSummary();
    });
    connect(&store, &MessageStore::newMessagesChanged, notice_, &NewMessageNotice::showCount);
    connect(&store, &MessageStore::headerChanged, this, &Tlista::headerWritten);
    connect(&store, &MessageStore::headerAppended, this, &Tlista::headerWritten);
    connect(&store, &MessageStore::listReplaced, this, &Tlista::listReplaced);
    connect(&store, &MessageStore::captionNotice, this, &QWidget::setWindowTitle);
    connect(&store, &MessageStore::purgeStarted, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        showListOfLists();
        listOfLists_->setNotice(t::purgeNotice.in(language_));
        repaint();
    });
    connect(&store, &MessageStore::purgingList, this, [this](int listIndex) {
        listOfLists_->selectList(listIndex);
        repaint();
    });
    connect(&store, &MessageStore::purgeFinished, this, [this] {
        listOfLists_->setNotice(QString());
        QApplication::restoreOverrideCursor();
    });
}

void Tlista::connectViews() {
    connect(listOfLists_, &ListOfListsView::openRequested, this, &Tlista::openList);
    connect(listOfLists_, &ListOfListsView::minimiseRequested, this,
            &MdiChildWindow::showMinimizedInArea);
    connect(listOfLists_, &ListOfListsView::popupRequested, menus_->listPopup(),
            [this](const QPoint &at) { menus_->listPopup()->popup(at); });
    connect(ll_, &HeaderGrid::openRequested, this, &Tlista::openHeader);
    connect(ll_, &HeaderGrid::propertiesRequested, this, &Tlista::showProperties);
    connect(ll_, &HeaderGrid::backRequested, this, &Tlista::backToListOfLists);
    connect(ll_, &HeaderGrid::letterTyped, this, &Tlista::letterTyped);
    connect(ll_, &HeaderGrid::popupRequested, menus_->gridPopup(),
            [this](const QPoint &at) { menus_->gridPopup()->popup(at); });
    connect(menus_, &ListsMenus::gridCommand, this, &Tlista::runGridCommand);
    connect(menus_, &ListsMenus::listCommand, this, &Tlista::runListCommand);
    connect(menus_, &ListsMenus::moveRequested, this, &Tlista::moveCurrentHeader);
    connect(reader_, &ListReader::listRead, this, &Tlista::showReadList);
    connect(notice_, &NewMessageNotice::raiseRequested, this, &Tlista::raiseFromNotice);
    connect(this, &MdiChildWindow::activated, listOfLists_, &ListOfListsView::reselectFirst);
}

void Tlista::setReaderOpener(ReaderOpener opener) {
    readerOpener_ = opener;
    store_.setReaderOpener(std::move(opener));
}

TetsiDlg *Tlista::searchWindow() const {
    return searchWindow_;
}

bool Tlista::isReading() const {
    return reader_->isReading();
}

bool Tlista::showsGrid() const {
    return pages_->currentWidget() == ll_;
}

bool Tlista::event(QEvent *event) {
    if (event->type() != WindowMessageEvent::eventType())
        return MdiChildWindow::event(event);
    switch (static_cast<WindowMessageEvent *>(event)->message()) {
    case CM_LOAD_LISTS:
        loadLists();
        break;
    case CM_REFRESH_LIST_STATUS:
        summaryPosted_ = false;
        emit statusSummaryChanged(store_.catalog().statusSummary());
        break;
    default:
        break;
    }
    return true;
}

// The first loading at start: the store counts its lists and the views show them.
void Tlista::loadLists() {
    if (!store_.isStarted())
        store_.Start();
    const ListCatalog &catalog = store_.catalog();
    QStringList lines;
    QByteArrayList names;
    for (int list = 0; list < catalog.count(); ++list) {
        lines << catalog.line(list);
        names << catalog.name(list);
    }
    listOfLists_->setLines(lines);
    listOfLists_->setColumnHeader(catalog.columnHeaderLine());
    listOfLists_->setTotals(catalog.totalsLine());
    menus_->setLists(names);
    listOfLists_->selectList(0);
    kept_ = {};
    loadedList_ = -1;
    postStatusSummary();
}

// Many counter changes in a row rebuild the summary once.
void Tlista::postStatusSummary() {
    if (summaryPosted_)
        return;
    summaryPosted_ = true;
    WindowMessageEvent::post(this, CM_REFRESH_LIST_STATUS);
}

void Tlista::openList(int listIndex) {
    if (!store_.catalog().contains(listIndex))
        return;
    seenMark_ = store_.catalog().list(listIndex).seenMark;
    setWindowTitle(t::listCaptionStart.in(language_) +
                   QString::fromLatin1(store_.ListFileName(listIndex)) +
                   t::listCaptionEnd.in(language_));
    if (listIndex != loadedList_ || isReading()) {
        readList(listIndex);
        return;
    }
    // The list is in the grid already: back to the first header not older than the seen mark.
    const std::vector<HeaderRecord> &records = headers_->records();
    int row = std::max(int(records.size()) - 1, 0);
    for (int index = 0; index < int(records.size()); ++index)
        if (records[std::size_t(index)].number >= seenMark_) {
            row = index;
            break;
        }
    showGridAt(row);
}

void Tlista::readList(int listIndex) {
    loadedList_ = listIndex;
    lastSeenRow_ = -1;
    pages_->setCurrentWidget(lista_lbl_);
    reader_->read(store_.listFilePath(listIndex), store_.headersPerBlock());
}

void Tlista::showReadList() {
    ListContents contents = reader_->takeContents();
    if (contents.error) {
        StoreReporter(prompter_, language_).report(*contents.error);
        loadedList_ = -1;
        showListOfLists();
        return;
    }
    lastSeenRow_ = lastSeenIndex(contents.records, seenMark_);
    headers_->setRecords(std::move(contents.records), seenMark_);
    showGridAt(std::max(lastSeenRow_, 0));
}

void Tlista::showGridAt(int row) {
    pages_->setCurrentWidget(ll_);
    ll_->centreOn(row);
    ll_->setFocus();
    emit listShown();
}

void Tlista::backToListOfLists() {
    const int index = currentRecord();
    const qint32 mark = index >= 0 ? headers_->record(index).number : seenMark_;
    if (index > lastSeenRow_ && mark > seenMark_) {
        // The headers that stop being new are those numbered up to the new mark.
        int seen = 0;
        for (const HeaderRecord &record : headers_->records())
            seen += record.number > seenMark_ && record.number <= mark ? 1 : 0;
        store_.SetSeenMark(loadedList_, mark, seen);
        seenMark_ = mark;
        lastSeenRow_ = index;
        headers_->setSeenMark(mark);
    }
    showListOfLists();
}

void Tlista::showListOfLists() {
    pages_->setCurrentWidget(listOfLists_);
    listOfLists_->lists()->setFocus();
    setWindowTitle(t::caption.in(language_));
}

int Tlista::currentRecord() const {
    const int row = ll_->currentRow();
    return headers_->hasRecord(row) ? row : -1;
}

bool Tlista::inSearchMode() const {
    return searchWindow_ && searchWindow_->isVisible();
}

// After a status change by key the cursor moves on, except while searching.
void Tlista::stepDown() {
    if (!inSearchMode())
        ll_->moveDown();
}

void Tlista::openHeader() {
    const int index = currentRecord();
    if (index < 0)
        return;
    const HeaderRecord record = headers_->record(index);
    switch (record.status) {
    case status::New:
        if (store_.MarkToFetch(loadedList_, index))
            stepDown();
        break;
    case status::ToFetch:
        if (store_.Unmark(loadedList_, index))
            stepDown();
        break;
    case status::SevenPlus:
    case status::Unread:
    case status::Read:
        if (readerOpener_)
            readerOpener_(
                {loadedList_, index, record, store_.messagePath(loadedList_, record.number), {}});
        break;
    case status::Unfinished:
    case status::NotSent:
        if (composerOpener_)
            composerOpener_({ComposerRequest::Mode::Continue, loadedList_, index, record});
        break;
    default:
        break;
    }
}

void Tlista::letterTyped(QChar letter) {
    switch (letter.unicode()) {
    case 'E':
        changeStatus();
        break;
    case 'H':
        search();
        break;
    case 'K':
        toggleKill();
        break;
    case 'R':
        reply();
        break;
    case 'S':
        menus_->movePopup()->popup(ll_->popupPlace());
        break;
    default:
        break;
    }
}

void Tlista::runGridCommand(GridCommand command) {
    switch (command) {
    case GridCommand::Return:
        backToListOfLists();
        break;
    case GridCommand::Open:
        openHeader();
        break;
    case GridCommand::Reply:
        reply();
        break;
    case GridCommand::Kill:
        toggleKill();
        break;
    case GridCommand::Search:
        search();
        break;
    case GridCommand::ChangeStatus:
        changeStatus();
        break;
    case GridCommand::Properties:
        showProperties();
        break;
    case GridCommand::ToggleFont:
        toggleFont();
        break;
    }
}

void Tlista::runListCommand(ListCommand command) {
    switch (command) {
    case ListCommand::ShowList:
        openList(listOfLists_->selectedList());
        break;
    case ListCommand::CloseWindow:
        showMinimizedInArea();
        break;
    case ListCommand::ToggleFont:
        toggleFont();
        break;
    }
}

void Tlista::toggleKill() {
    const int index = currentRecord();
    if (index >= 0 && store_.ToggleKill(loadedList_, index))
        stepDown();
}

void Tlista::reply() {
    const int index = currentRecord();
    if (index < 0)
        return;
    store_.MarkRead(loadedList_, index); // a fetched message counts as read once answered
    if (composerOpener_)
        composerOpener_(
            {ComposerRequest::Mode::Reply, loadedList_, index, headers_->record(index)});
}

void Tlista::search() {
    if (headers_->records().empty()) {
        prompter_.show(t::emptyListSearch.in(language_));
        return;
    }
    if (inSearchMode()) {
        if (kept_.title.isEmpty() && kept_.from.isEmpty() && kept_.to.isEmpty() &&
            kept_.contains.isEmpty())
            return;
        SearchCriteria again = kept_;
        again.mark = searchWindow_->marksFound();
        SearchHeaders(again);
        return;
    }
    searchWindow_ = new TetsiDlg(kept_, language_, prompter_, this);
    connect(searchWindow_, &TetsiDlg::searchRequested, this, &Tlista::SearchHeaders);
    searchWindow_->show();
}

void Tlista::SearchHeaders(const SearchCriteria &criteria) {
    kept_ = criteria;
    kept_.mark = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<SearchHit> hit =
        store_.SearchHeaders(loadedList_, headers_->records(), currentRecord(), criteria);
    QApplication::restoreOverrideCursor();
    if (hit)
        ll_->centreOn(hit->index);
}

void Tlista::changeStatus() {
    const int index = currentRecord();
    if (index < 0)
        return;
    (new Tstatus_vaihto(store_, loadedList_, index, headers_->record(index), language_, this))
        ->show();
}

void Tlista::showProperties() {
    const int index = currentRecord();
    if (index < 0)
        return;
    if (const std::optional<HeaderRecord> record = store_.ReadHeader(loadedList_, index))
        (new Tominaisuus(store_, loadedList_, index, *record, language_, prompter_, this))->show();
}

void Tlista::moveCurrentHeader(int destination) {
    const int index = currentRecord();
    if (index >= 0)
        store_.MoveHeader(loadedList_, index, destination);
}

// The grid and a read in progress follow every header the store writes to their list.
void Tlista::headerWritten(int listIndex, int index, const HeaderRecord &record) {
    if (listIndex != loadedList_)
        return;
    if (isReading())
        reader_->written(index, record);
    else
        headers_->putRecord(index, record);
}

// A list written anew (repair, purge) is read again when it is on view, else when next opened.
void Tlista::listReplaced(int listIndex) {
    if (listIndex != loadedList_)
        return;
    if (isReading() || showsGrid())
        readList(listIndex);
    else
        loadedList_ = -1;
}

void Tlista::finishRun(bool purge) {
    QWidget *frame = subWindow() ? static_cast<QWidget *>(subWindow()) : this;
    const Qt::WindowStates former = frame->windowState();
    frame->showNormal();
    bringToFront();
    if (purge)
        store_.PurgeLists();
    frame->setWindowState(former);
}

void Tlista::raiseFromNotice() {
    if (QWidget *main = window(); main != this) {
        main->showMaximized();
        main->raise();
        main->activateWindow();
    }
    bringToFront();
}

void Tlista::closeEvent(QCloseEvent *event) {
    MdiChildWindow::closeEvent(event);
    if (event->isAccepted())
        notice_->remove();
}

void Tlista::fontInUseChanged() {
    menus_->setFontToggled(isToggled());
}

} // namespace krx
