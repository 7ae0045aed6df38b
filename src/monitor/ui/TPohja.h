#pragma once

#include "core/ui/MdiChildWindow.h"
#include "monitor/MonitorPane.h"

#include <array>

class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace krx {

class MonitorCommandPane;
class MonitorEngine;

// The monitor window: the command pane over the monitor pane, which shows the engine's
// monitor text in colour, and a status bar. Everything it does is the engine's; the window
// draws and forwards the user's keys and menu choices.
class TPohja : public MdiChildWindow {
    Q_OBJECT
public:
    explicit TPohja(MonitorEngine &engine, QWidget *parent = nullptr);

    // The scroll-back length in lines, for both panes.
    void setScrollBack(int lines);

    QPlainTextEdit *monitorPane() const { return teksti_; }
    MonitorCommandPane *commandPane() const { return mon_kirj_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void fontInUseChanged() override;

private slots:
    void leikkaa1Click();
    void Kopioi1Click();
    void Liit1Click();
    void Valitsekaikki1Click();
    void Monitorilogiin1Click();
    void kopioi2Click();
    void valitseekaikki1Click();
    void Scrollloc2Click();
    void Vaihdafont1Click();

private:
    // One language's menus with the entries that carry a check mark.
    struct Menus {
        QMenuBar *mainMenu = nullptr;
        QMenu *popupMenu = nullptr;
        QAction *log = nullptr;
        QAction *scrollLock = nullptr;
        QAction *toggleFont = nullptr;
    };

    void buildPanes();
    void buildMenus();
    void buildStatusBar();
    void showPaneText();
    void appendToPane(const QByteArray &text, MonitorStyle style);
    void trimPane(int lines, int characters);
    void scrollToEndUnlessLocked();
    void showScrollLock(bool on);
    void showLogging(bool on);
    void showStatus(const QByteArray &text);
    void sizeCommandPane();

    MonitorEngine &engine_;
    MonitorCommandPane *mon_kirj_ = nullptr;
    QPlainTextEdit *teksti_ = nullptr;
    std::array<QLabel *, 3> panels_{};
    std::array<Menus, 2> menus_{}; // Finnish, English
};

} // namespace krx
