#include "monitor/ui/MonitorCommandPane.h"

#include <QKeyEvent>
#include <QTextBlock>

namespace krx {

namespace {

constexpr char backspace = 8;
constexpr char lineFeed = 10;
constexpr char carriageReturn = 13;

bool isEditShortcut(const QKeyEvent &event) {
    return event.matches(QKeySequence::Cut) || event.matches(QKeySequence::Copy) ||
           event.matches(QKeySequence::Paste) || event.matches(QKeySequence::SelectAll);
}

} // namespace

MonitorCommandPane::MonitorCommandPane(QWidget *parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("mon_kirj"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QSize MonitorCommandPane::sizeHint() const {
    return {QPlainTextEdit::sizeHint().width(), minimumHeight()};
}

std::optional<char> MonitorCommandPane::controlCharacterOf(const QKeyEvent &event) {
    if (event.key() == Qt::Key_Tab)
        return '\t';
    if (event.key() == Qt::Key_Escape)
        return '\x1b';
    if (!(event.modifiers() & Qt::ControlModifier) || event.key() < Qt::Key_A ||
        event.key() > Qt::Key_Z || isEditShortcut(event))
        return std::nullopt;
    const char character = char(event.key() - Qt::Key_A + 1);
    if (character == backspace || character == lineFeed || character == carriageReturn)
        return std::nullopt;
    return character;
}

bool MonitorCommandPane::event(QEvent *event) {
    // Select All belongs to the monitor pane: leave the key to the window's menu entry.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::SelectAll)) {
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void MonitorCommandPane::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (event->modifiers() & Qt::ControlModifier)
            emit commandLineEntered(currentLine());
        else
            emit unprotoLineEntered(currentLine());
        finishLine();
        return;
    }
    if (event->key() == Qt::Key_Backspace && currentLine().isEmpty())
        return;
    if (const std::optional<char> control = controlCharacterOf(*event)) {
        emit controlCharacterTyped(*control);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

QString MonitorCommandPane::currentLine() const {
    return textCursor().block().text();
}

void MonitorCommandPane::finishLine() {
    QTextCursor cursor = textCursor();
    if (cursor.atEnd()) {
        cursor.insertBlock();
        setTextCursor(cursor);
    } else {
        moveCursor(QTextCursor::Down);
    }
}

} // namespace krx
