#pragma once

#include "core/Kernel.h"
#include "core/WindowMessages.h"
#include "core/ui/MainCommands.h"

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>

class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace krx {

class MdiChildWindow;
class MonitorEngine;
class QsoChannel;
class TMDIChild;
class TPohja;
class Tlista;

// The main window: the MDI frame that owns every other window, the menus and toolbars in
// both languages and the status bar. The decisions are the Kernel's; this class shows them.
class Tkernel_form : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int maxChannels = 10;

    explicit Tkernel_form(Kernel &kernel, QWidget *parent = nullptr);
    ~Tkernel_form() override;

    // Runs the main window's start: reads the settings and posts the next step.
    void startUp();

    void postMessage(WindowMessage message, int wParam = 0);

    // Toolbar buttons by component name ("n_otsikot", "e_c3", ...).
    QToolButton *toolButton(const QString &name) const;
    void setButtonEnabled(const QString &name, bool enabled);
    void setButtonVisible(const QString &name, bool visible);
    void setButtonPressed(const QString &name, bool pressed);
    // Which of cut, copy and paste apply to the window that became active.
    void setEditState(bool cut, bool copy, bool paste);

    QAction *menuAction(Language language, Command command) const;
    QMenuBar *mainMenu(Language language) const;
    QToolBar *toolBar(Language language) const;
    QLabel *bufferPanel() const { return bufferPanel_; }
    QLabel *hintPanel() const { return hintPanel_; }
    QLineEdit *listStatusField() const { return listStatusField_; }

    TMDIChild *channelWindow(int channel) const;
    TPohja *monitorWindow() const { return monitor_; }
    Tlista *listsWindow() const { return lists_; }

    void runCommand(Command command, bool fromToolbar = false);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolBars();
    void buildStatusBar();
    void handleMessage(WindowMessage message, int wParam);
    void createChannels(int count);
    void createChannelWindow(int channel);
    // The lists window with the message store it owns for the whole run.
    void createListsWindow();
    void startSetup();
    void placeAndToggle(MdiChildWindow *window, const QByteArray &positionKey, bool toggled);
    void updateConnectionMenu(Language language);
    void showOptionChecked(Option option, bool on);
    void applyToggleFontToWindows();
    void chooseToggleFont();
    void openManual();
    // The face the channel, monitor and lists windows start with: a fixed-pitch one, since
    // their panes hold columns and tables.
    QString windowFontFace() const;
    void sendEditCommand(const char *slot);
    void closeNow();
    QList<MdiChildWindow *> childWindows() const;

    Kernel &kernel_;
    QMdiArea *mdiArea_ = nullptr;
    std::array<QMenuBar *, 2> menus_{};
    std::array<QToolBar *, 2> toolBars_{};
    std::array<std::map<Command, QAction *>, 2> menuActions_;
    std::array<QMenu *, 2> othersMenus_{};
    QLabel *bufferPanel_ = nullptr;
    QLabel *hintPanel_ = nullptr;
    QLineEdit *listStatusField_ = nullptr;
    std::array<std::unique_ptr<QsoChannel>, maxChannels + 1> channelEngines_;
    std::array<TMDIChild *, maxChannels + 1> channels_{};
    std::unique_ptr<MonitorEngine> monitorEngine_;
    TPohja *monitor_ = nullptr;
    Tlista *lists_ = nullptr;
    bool channelWindowsCreated_ = false;
    bool closing_ = false;
};

} // namespace krx
