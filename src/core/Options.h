#pragma once

#include <array>

namespace krx {

// The option toggles of the main menu. Each is one check mark in both languages' menus.
enum class Option {
    RxCompressed,
    TxCompressed,
    RememberPositions,
    AutoOem,
    TimersOff,
    RemoteOff,
    AddCrlf,
    HtmlViewer,
};

inline constexpr int optionCount = 8;

class Options {
public:
    bool operator[](Option option) const { return values_[index(option)]; }
    void set(Option option, bool on) { values_[index(option)] = on; }

private:
    static constexpr int index(Option option) { return static_cast<int>(option); }
    std::array<bool, optionCount> values_{};
};

} // namespace krx
