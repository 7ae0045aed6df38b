#pragma once

#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace krx {

// How a piece of monitor text is drawn: an RGB colour (0xRRGGBB) and the weight.
struct MonitorStyle {
    std::uint32_t rgb = 0;
    bool bold = false;

    bool operator==(const MonitorStyle &) const = default;
};

namespace monitor_styles {
inline constexpr MonitorStyle commandReply{0x0000FF, true}; // codes 1 to 3, blue bold
inline constexpr MonitorStyle header{0x0000FF, false};      // codes 4 and 5, blue
inline constexpr MonitorStyle contents{0x000000, false};    // codes 6 and 7, black
inline constexpr MonitorStyle sentEcho{0x808080, false};    // code 8, gray
inline constexpr MonitorStyle nodesTable{0x800080, false};  // decoded nodes broadcasts, purple
} // namespace monitor_styles

// The style of a display code; nothing for codes the monitor does not show.
std::optional<MonitorStyle> styleOfCode(int code);

// The monitor's line-end rule, so that every shown text ends its line: an LF goes after every
// CR that lacks one, and a text ending in neither CR nor LF gets CR LF.
QByteArray withLineEnds(const QByteArray &text);

struct StyledRun {
    MonitorStyle style;
    QByteArray text;
};

// What the monitor pane holds: styled text in lines (ended by CR LF, CR or LF), kept within the
// scroll limit in lines and within 50000 characters (the first 30000 go when it grows beyond),
// except while scroll lock is on. A view follows the appended and trimmed signals.
class MonitorPane : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype characterLimit = 50000;
    static constexpr qsizetype characterCut = 30000;

    // At least one line; the limit applies from the next change on.
    void setScrollLimit(int lines);
    int scrollLimit() const { return scrollLimit_; }
    // While on, the pane neither trims nor scrolls; switching it off trims at the next change.
    void setScrollLock(bool on);
    bool scrollLock() const { return scrollLock_; }

    void append(const QByteArray &text, MonitorStyle style);

    int lineCount() const { return int(lines_.size()); }
    qsizetype characterCount() const { return characters_; }
    // The whole text as it is held, line ends included.
    QByteArray text() const;
    // The whole text as runs of one style each, in order.
    std::vector<StyledRun> runs() const;

signals:
    void appended(const QByteArray &text, krx::MonitorStyle style);
    // The first `lines` lines went (their line ends too), then `characters` from the start of
    // the line that is now the first.
    void trimmed(int lines, int characters);
    void scrollLockChanged(bool on);

private:
    struct Line {
        std::vector<StyledRun> runs;
        QByteArray end; // empty while the line is still open
        MonitorStyle endStyle;
        qsizetype textLength = 0;

        qsizetype length() const { return textLength + end.size(); }
        void add(const QByteArray &text, MonitorStyle style);
        void close(const QByteArray &lineEnd, MonitorStyle style);
        void removeFront(qsizetype characters);
    };

    Line &openLine();
    void keepLimits();
    void dropFirstLine();

    std::deque<Line> lines_;
    qsizetype characters_ = 0;
    int scrollLimit_ = 30;
    bool scrollLock_ = false;
};

} // namespace krx
