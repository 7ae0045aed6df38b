#pragma once

#include "core/Language.h"
#include "core/Options.h"

#include <optional>
#include <span>

namespace krx {

// Every command of the main window's menus and toolbars.
// clang-format off: the commands in groups as the menus hold them
enum class Command {
    NewMessage,
    New7plus,
    Exit,
    Bbs,
    DxCluster,
    ConnectTo,
    FetchHeaders,
    FetchMessages,
    SendMessages,
    Disconnect,
    SysCommand,
    RxCompressed,
    TxCompressed,
    RememberPositions,
    AutoOem,
    DxSoundDelay,
    DxSpecialString,
    TimersOff,
    RemoteOff,
    AddCrlf,
    SetFont,
    HtmlViewer,
    FlexnetStatistics,
    AgwStatistics,
    Cascade,
    Tile,
    Channel1,
    Channel2,
    Channel3,
    Channel4,
    Channel5,
    Channel6,
    Channel7,
    Channel8,
    Channel9,
    Channel10,
    Monitor,
    Lists,
    Contents,
    About,
    Cut,
    Copy,
    Paste, // toolbar only
};
// clang-format on

enum class MainMenu { File, Connection, Options, Flexnet, Agwpe, Windows, Help, None };

struct CommandEntry {
    Command command;
    MainMenu menu;
    const char *shortcut;          // a QKeySequence text, or empty
    BiText caption;                // menu caption; empty for toolbar-only commands
    const char *buttonWord;        // toolbar button name after "n_"/"e_", or nullptr
    BiText hint;                   // "short hint|status bar text"
    std::optional<Option> toggles; // the option a check-mark command flips
};

// The commands in menu order.
std::span<const CommandEntry> mainCommands();
const CommandEntry &commandEntry(Command command);
BiText menuTitle(MainMenu menu);

// The toolbar in button order; nothing stands for a separator.
std::span<const std::optional<Command>> toolbarLayout();

inline Command channelCommand(int channel) {
    return static_cast<Command>(static_cast<int>(Command::Channel1) + channel - 1);
}
inline std::optional<int> channelOfCommand(Command command) {
    const int n = static_cast<int>(command) - static_cast<int>(Command::Channel1) + 1;
    return n >= 1 && n <= 10 ? std::optional<int>(n) : std::nullopt;
}

} // namespace krx
