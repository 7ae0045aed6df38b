#pragma once

#include "core/Language.h"
#include "core/ui/MdiChildWindow.h"

#include <memory>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;
class QStatusBar;

namespace krx {

class ChannelMenus;
class QsoChannel;
class RxPane;

// A QSO channel window (channels 1 to 10): the TX pane where the user types, the RX pane
// showing the channel's received lines, the status bar and the transfer meter. It shows
// its engine's state and hands the user's typing to it.
class TMDIChild : public MdiChildWindow {
    Q_OBJECT
public:
    static constexpr int statusPanelWidths[] = {200, 150, 120};

    // The engine must outlive the window.
    TMDIChild(QsoChannel &engine, Language language, QWidget *parent = nullptr);
    ~TMDIChild() override;

    int channel() const;
    QsoChannel &engine() const { return engine_; }

    EditActions editActions() const override;

    QPlainTextEdit *txPane() const { return kirjoitus_; }
    RxPane *rxPane() const { return memo_; }
    QLabel *statusPanel(int panel) const;
    ChannelMenus &menus() const { return *menus_; }

signals:
    // Cut, copy and paste apply differently in the two panes.
    void editStateChanged(bool cut, bool copy, bool paste);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void fontInUseChanged() override;

private:
    void buildPanes(Language language);
    void buildMeter(Language language);
    void buildStatusBar();
    void connectMenus();
    void connectEngine();
    bool txKeyPress(QKeyEvent *event);
    bool rxKeyPress(QKeyEvent *event);
    void finishTypedLine();
    QByteArray currentTxLine() const;
    void keepTxLinesWithinLimit();
    void showScrollLock(bool on);
    void showMeter();
    void placeMeter();
    void cutFromTx();
    void copyFromFocusedPane();
    void pasteIntoTx();

    QsoChannel &engine_;
    std::unique_ptr<ChannelMenus> menus_;
    QGroupBox *txBox_ = nullptr;
    QPlainTextEdit *kirjoitus_ = nullptr;
    QSplitter *splitter_ = nullptr;
    QGroupBox *rxBox_ = nullptr;
    RxPane *memo_ = nullptr;
    QGroupBox *tilaruutu_ = nullptr;
    QLabel *koko_ = nullptr;
    QLabel *cps_ = nullptr;
    QProgressBar *mittari_ = nullptr;
    QStatusBar *statusBar_ = nullptr;
    QLabel *statusPanels_[3] = {};
};

} // namespace krx
