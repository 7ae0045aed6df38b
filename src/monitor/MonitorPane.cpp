#include "monitor/MonitorPane.h"

#include <algorithm>

namespace krx {

std::optional<MonitorStyle> styleOfCode(int code) {
    switch (code) {
    case 1:
    case 2:
    case 3:
        return monitor_styles::commandReply;
    case 4:
    case 5:
        return monitor_styles::header;
    case 6:
    case 7:
        return monitor_styles::contents;
    case 8:
        return monitor_styles::sentEcho;
    default:
        return std::nullopt;
    }
}

QByteArray withLineEnds(const QByteArray &text) {
    QByteArray ended;
    ended.reserve(text.size() + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        ended += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            ended += '\n';
    }
    if (!ended.endsWith('\n'))
        ended += "\r\n";
    return ended;
}

void MonitorPane::Line::add(const QByteArray &text, MonitorStyle style) {
    if (!runs.empty() && runs.back().style == style)
        runs.back().text += text;
    else
        runs.push_back({style, text});
    textLength += text.size();
}

void MonitorPane::Line::close(const QByteArray &lineEnd, MonitorStyle style) {
    end = lineEnd;
    endStyle = style;
}

void MonitorPane::Line::removeFront(qsizetype characters) {
    textLength -= characters;
    while (characters > 0) {
        StyledRun &first = runs.front();
        if (characters < first.text.size()) {
            first.text.remove(0, characters);
            return;
        }
        characters -= first.text.size();
        runs.erase(runs.begin());
    }
}

void MonitorPane::setScrollLimit(int lines) {
    scrollLimit_ = std::max(1, lines);
}

void MonitorPane::setScrollLock(bool on) {
    if (on == scrollLock_)
        return;
    scrollLock_ = on;
    emit scrollLockChanged(on);
}

MonitorPane::Line &MonitorPane::openLine() {
    if (lines_.empty() || !lines_.back().end.isEmpty())
        lines_.emplace_back();
    return lines_.back();
}

void MonitorPane::append(const QByteArray &text, MonitorStyle style) {
    if (text.isEmpty())
        return;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = at;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (end > at)
            openLine().add(text.mid(at, end - at), style);
        if (end == text.size())
            break;
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        const qsizetype endLength = crLf ? 2 : 1;
        openLine().close(text.mid(end, endLength), style);
        at = end + endLength;
    }
    characters_ += text.size();
    emit appended(text, style);
    keepLimits();
}

void MonitorPane::dropFirstLine() {
    characters_ -= lines_.front().length();
    lines_.pop_front();
}

void MonitorPane::keepLimits() {
    if (scrollLock_)
        return;
    int droppedLines = 0;
    int cutCharacters = 0;
    while (lineCount() > scrollLimit_) {
        dropFirstLine();
        ++droppedLines;
    }
    if (characters_ > characterLimit) {
        qsizetype toCut = characterCut;
        while (toCut > 0 && !lines_.empty()) {
            Line &first = lines_.front();
            if (toCut < first.textLength) {
                first.removeFront(toCut);
                characters_ -= toCut;
                cutCharacters = int(toCut);
                break;
            }
            // A cut that reaches the line end takes the whole line end with it.
            toCut -= first.length();
            dropFirstLine();
            ++droppedLines;
        }
    }
    if (droppedLines > 0 || cutCharacters > 0)
        emit trimmed(droppedLines, cutCharacters);
}

QByteArray MonitorPane::text() const {
    QByteArray whole;
    whole.reserve(characters_);
    for (const Line &line : lines_) {
        for (const StyledRun &run : line.runs)
            whole += run.text;
        whole += line.end;
    }
    return whole;
}

std::vector<StyledRun> MonitorPane::runs() const {
    std::vector<StyledRun> all;
    const auto add = [&all](const QByteArray &text, MonitorStyle style) {
        if (!all.empty() && all.back().style == style)
            all.back().text += text;
        else
            all.push_back({style, text});
    };
    for (const Line &line : lines_) {
        for (const StyledRun &run : line.runs)
            add(run.text, run.style);
        if (!line.end.isEmpty())
            add(line.end, line.endStyle);
    }
    return all;
}

} // namespace krx
