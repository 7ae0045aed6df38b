#pragma once

#include <QByteArray>
#include <QObject>
#include <deque>
#include <vector>

namespace krx {

// Makes every CR a line end: a text ending in CR gets an LF, and every other CR not followed
// by LF gets one inserted after it.
QByteArray normaliseLineEnds(const QByteArray &text);

// A stretch of one line shown with one display code.
struct RxRun {
    int code = 0;
    int length = 0;
};

// The lines received on a channel as the RX pane shows them. Scripts and procedures read
// the lines from here; the pane only mirrors the changes.
//
// A line is stored without its line end (CR LF, or a lone LF); the last line is incomplete
// until its line end arrives. The line count includes an incomplete last line, so "the last
// RX line" is the newest complete line once a text has ended with a line end.
class RxLineModel : public QObject {
    Q_OBJECT
public:
    // Beyond this many characters the oldest trimCharacters are dropped.
    static constexpr int maxCharacters = 60000;
    static constexpr int trimCharacters = 10000;

    explicit RxLineModel(int scrollLimit, QObject *parent = nullptr);

    // Appends a text whose line ends are normalised, in the colour of its display code, and
    // trims the oldest lines unless scroll lock is on.
    void append(const QByteArray &text, int code);

    int lineCount() const { return int(lines_.size()); }
    QByteArray line(int index) const { return lines_.at(index).text; }
    const std::vector<RxRun> &runs(int index) const { return lines_.at(index).runs; }
    bool lineComplete(int index) const { return lines_.at(index).lineEnd > 0; }
    // The last RX line (empty when there is none) and whether its line end has arrived.
    QByteArray lastLine() const;
    bool lastLineComplete() const;
    // Characters of the whole text, line ends included (CR LF counts two).
    qsizetype characterCount() const { return characters_; }

    // The most lines kept (the scroll-back setting); at least one line is always kept.
    int scrollLimit() const { return scrollLimit_; }
    void setScrollLimit(int lines);

    // While scroll lock is on nothing is trimmed; the next text after it goes off trims.
    bool scrollLock() const { return scrollLock_; }
    void setScrollLock(bool on) { scrollLock_ = on; }

    // The line where the running procedure or script began (or where its next scan starts);
    // it follows its line when older lines are trimmed away.
    int procedureStartLine() const { return procedureStartLine_; }
    void setProcedureStartLine(int line) { procedureStartLine_ = line; }
    void markProcedureStart() { procedureStartLine_ = lineCount(); }

signals:
    // The text as given to append(), for views that mirror the model.
    void appended(const QByteArray &text, int code);
    // The first `lines` lines were removed, then `characters` characters of the new first line.
    void frontRemoved(int lines, int characters);

private:
    struct Line {
        QByteArray text;
        std::vector<RxRun> runs;
        int lineEnd = 0; // characters of the line end: 0 while incomplete, 1 (LF) or 2 (CR LF)
    };

    void addToLastLine(const QByteArray &content, int code);
    void trim();
    void removeFirstLine();
    void removeFromFirstLine(int characters);

    std::deque<Line> lines_;
    qsizetype characters_ = 0;
    int scrollLimit_;
    bool scrollLock_ = false;
    int procedureStartLine_ = 0;
};

} // namespace krx
