#include "terminal/RxLineModel.h"

#include <algorithm>

namespace krx {

QByteArray normaliseLineEnds(const QByteArray &text) {
    QByteArray normalised;
    normalised.reserve(text.size() + text.count('\r'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        normalised += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            normalised += '\n';
    }
    return normalised;
}

RxLineModel::RxLineModel(int scrollLimit, QObject *parent) : QObject(parent), scrollLimit_(1) {
    setScrollLimit(scrollLimit);
}

void RxLineModel::setScrollLimit(int lines) {
    // A limit of 0 would also drop the line that is still arriving, and with it the last
    // RX line the procedures read.
    scrollLimit_ = std::max(lines, 1);
}

QByteArray RxLineModel::lastLine() const {
    return lines_.empty() ? QByteArray() : lines_.back().text;
}

bool RxLineModel::lastLineComplete() const {
    return !lines_.empty() && lines_.back().lineEnd > 0;
}

void RxLineModel::append(const QByteArray &text, int code) {
    if (text.isEmpty())
        return;
    qsizetype position = 0;
    while (position < text.size()) {
        if (lines_.empty() || lines_.back().lineEnd > 0)
            lines_.emplace_back();
        const qsizetype lf = text.indexOf('\n', position);
        if (lf < 0) {
            addToLastLine(text.mid(position), code);
            break;
        }
        const bool crlf = lf > position && text[lf - 1] == '\r';
        const qsizetype contentEnd = crlf ? lf - 1 : lf;
        addToLastLine(text.mid(position, contentEnd - position), code);
        lines_.back().lineEnd = crlf ? 2 : 1;
        characters_ += lines_.back().lineEnd;
        position = lf + 1;
    }
    emit appended(text, code);
    trim();
}

void RxLineModel::addToLastLine(const QByteArray &content, int code) {
    if (content.isEmpty())
        return;
    Line &line = lines_.back();
    line.text += content;
    if (!line.runs.empty() && line.runs.back().code == code)
        line.runs.back().length += int(content.size());
    else
        line.runs.push_back({code, int(content.size())});
    characters_ += content.size();
}

void RxLineModel::trim() {
    if (scrollLock_)
        return;
    int removedLines = 0;
    while (lineCount() > scrollLimit_) {
        removeFirstLine();
        ++removedLines;
    }
    int removedCharacters = 0;
    if (characters_ > maxCharacters) {
        int remaining = trimCharacters;
        while (remaining > 0 && !lines_.empty()) {
            const Line &first = lines_.front();
            const int content = int(first.text.size());
            if (remaining > content) {
                // The cut reaches the line end: the whole line goes.
                remaining -= content + first.lineEnd;
                removeFirstLine();
                ++removedLines;
            } else {
                removeFromFirstLine(remaining);
                removedCharacters = remaining;
                remaining = 0;
            }
        }
    }
    if (removedLines > 0 || removedCharacters > 0)
        emit frontRemoved(removedLines, removedCharacters);
}

void RxLineModel::removeFirstLine() {
    characters_ -= lines_.front().text.size() + lines_.front().lineEnd;
    lines_.pop_front();
    if (procedureStartLine_ > 0)
        --procedureStartLine_;
}

void RxLineModel::removeFromFirstLine(int characters) {
    Line &first = lines_.front();
    first.text.remove(0, characters);
    characters_ -= characters;
    int left = characters;
    while (left > 0 && !first.runs.empty()) {
        RxRun &run = first.runs.front();
        const int taken = std::min(left, run.length);
        run.length -= taken;
        left -= taken;
        if (run.length == 0)
            first.runs.erase(first.runs.begin());
    }
}

} // namespace krx
