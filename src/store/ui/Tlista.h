#pragma once

#include "core/Language.h"
#include "core/ui/MdiChildWindow.h"
#include "store/HeaderGridLayout.h"
#include "store/HeaderSearch.h"
#include "store/ui/ListsMenus.h"
#include "store/ui/MessageWindowHooks.h"

#include <QPointer>

class QLabel;
class QStackedWidget;

namespace krx {

class HeaderGrid;
class HeaderTableModel;
class ListOfListsView;
class ListReader;
class MessageStore;
class NewMessageNotice;
class Prompter;
class TetsiDlg;

// The lists window: the list of lists with their counters and, once a list is opened, the
// grid of its headers, from which headers are marked for fetching, killed, moved, searched,
// read and answered. It shows the message store; the store itself does every change.
class Tlista : public MdiChildWindow {
    Q_OBJECT
public:
    struct Setup {
        Language language = Language::Finnish;
        HeaderGridLayout grid; // [otsakelista]
    };

    Tlista(MessageStore &store, Prompter &prompter, const Setup &setup, QWidget *parent = nullptr);

    MessageStore &store() const { return store_; }
    // Opening a reader or the composer from a header; the messages part fills these.
    void setReaderOpener(ReaderOpener opener);
    void setComposerOpener(ComposerOpener opener) { composerOpener_ = std::move(opener); }

    ListOfListsView *listOfLists() const { return listOfLists_; }
    HeaderGrid *grid() const { return ll_; }
    HeaderTableModel *headers() const { return headers_; }
    QLabel *readingLabel() const { return lista_lbl_; }
    ListsMenus *menus() const { return menus_; }
    NewMessageNotice *newMessageNotice() const { return notice_; }
    TetsiDlg *searchWindow() const;
    // The list in the grid (also while it is read), -1 when none.
    int loadedList() const { return loadedList_; }
    bool isReading() const;
    bool showsGrid() const;

    // Opens a list in the grid, reading it unless it is there already.
    void openList(int listIndex);
    // Leaves the grid; the headers passed on the way down count as seen.
    void backToListOfLists();
    // The end of the run: the window comes up in normal state, purges the lists when that was
    // chosen and goes back to the state it had.
    void finishRun(bool purge);
    // Finds the next header of the open list that matches, from the current row on.
    void SearchHeaders(const SearchCriteria &criteria);

signals:
    void statusSummaryChanged(const QString &summary);
    // A list that has been read is shown in the grid.
    void listShown();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void fontInUseChanged() override;

private:
    void buildViews(const Setup &setup);
    void connectStore();
    void connectViews();
    void loadLists();
    void postStatusSummary();
    void readList(int listIndex);
    void showReadList();
    void showGridAt(int row);
    void showListOfLists();
    int currentRecord() const;
    void stepDown();
    bool inSearchMode() const;

    void openHeader();
    void letterTyped(QChar letter);
    void runGridCommand(GridCommand command);
    void runListCommand(ListCommand command);
    void toggleKill();
    void reply();
    void search();
    void changeStatus();
    void showProperties();
    void moveCurrentHeader(int destination);
    void headerWritten(int listIndex, int index, const HeaderRecord &record);
    void listReplaced(int listIndex);
    void raiseFromNotice();

    MessageStore &store_;
    Prompter &prompter_;
    Language language_;
    QStackedWidget *pages_ = nullptr;
    ListOfListsView *listOfLists_ = nullptr;
    QLabel *lista_lbl_ = nullptr;
    HeaderTableModel *headers_ = nullptr;
    HeaderGrid *ll_ = nullptr;
    ListsMenus *menus_ = nullptr;
    ListReader *reader_ = nullptr;
    NewMessageNotice *notice_ = nullptr;
    QPointer<TetsiDlg> searchWindow_;
    ReaderOpener readerOpener_;
    ComposerOpener composerOpener_;

    int loadedList_ = -1;
    qint32 seenMark_ = 0;
    int lastSeenRow_ = -1; // record index of the last header seen, -1 none
    SearchCriteria kept_;  // the last search's texts and direction
    bool summaryPosted_ = false;
};

} // namespace krx
