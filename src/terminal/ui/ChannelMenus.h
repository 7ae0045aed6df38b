#pragma once

#include "core/Language.h"

#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace krx {

enum class ChannelMenuEntry {
    Cut,
    Copy,
    Paste,
    SelectAll,
    AutobinRxFbb,
    AutobinRxKrx,
    AutobinRxT4,
    AutobinTxFbb,
    AutobinTxKrx,
    AutobinTxT4,
    FileRx,
    FileTx,
    PopupCopy,
    PopupSelectAll,
    ToggleFont,
    ScrollLock,
};

// The main menu and the RX pane's pop-up menu of a channel window in the chosen language
// (MainMenu1 and PopupMenu1 in Finnish, MainMenu2 and PopupMenu2 in English). Every entry
// is also added to the owner, so its shortcut works in that window only.
class ChannelMenus {
public:
    ChannelMenus(Language language, QWidget *owner);

    QMenuBar *menuBar() const { return menuBar_; }
    QMenu *popup() const { return popup_; }
    QAction *action(ChannelMenuEntry entry) const { return actions_.at(entry); }

private:
    QMenuBar *menuBar_;
    QMenu *popup_;
    std::map<ChannelMenuEntry, QAction *> actions_;
};

} // namespace krx
