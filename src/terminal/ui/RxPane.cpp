#include "terminal/ui/RxPane.h"

#include "core/CodePage.h"
#include "terminal/RxLineModel.h"

#include <QScrollBar>
#include <QTextBlock>

namespace krx {

namespace {

// One character for every byte, as the model counts them: the CR of a CR LF goes with its
// line end and other control characters show as blanks.
QString displayTextOf(const QByteArray &text) {
    QByteArray shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        const bool blank = byte >= 0 && byte < ' ' && byte != '\n' && byte != '\t';
        shown += blank ? ' ' : byte;
    }
    return ansiToString(shown);
}

} // namespace

RxPane::RxPane(RxLineModel &model, QWidget *parent) : QPlainTextEdit(parent), model_(model) {
    setObjectName(QStringLiteral("memo"));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    showModel();
    connect(&model_, &RxLineModel::appended, this, &RxPane::append);
    connect(&model_, &RxLineModel::frontRemoved, this, &RxPane::removeFront);
}

QTextCharFormat RxPane::formatOf(int code) {
    static const QColor blue(0, 0, 255), red(255, 0, 0), black(0, 0, 0), gray(128, 128, 128),
        green(0, 128, 0);
    QTextCharFormat format;
    switch (code) {
    case 1:
    case 2:
    case 3:
        format.setForeground(blue);
        break;
    case 4:
    case 5:
        format.setForeground(red);
        format.setFontWeight(QFont::Bold);
        break;
    case 8:
        format.setForeground(gray);
        break;
    case 9:
        format.setForeground(green);
        break;
    default:
        format.setForeground(black);
        break;
    }
    return format;
}

void RxPane::showModel() {
    QTextCursor cursor(document());
    for (int index = 0; index < model_.lineCount(); ++index) {
        const QByteArray line = model_.line(index);
        int position = 0;
        for (const RxRun &run : model_.runs(index)) {
            cursor.insertText(displayTextOf(line.mid(position, run.length)), formatOf(run.code));
            position += run.length;
        }
        if (model_.lineComplete(index))
            cursor.insertBlock();
    }
}

void RxPane::append(const QByteArray &text, int code) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(displayTextOf(text), formatOf(code));
    if (!model_.scrollLock())
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void RxPane::removeFront(int lines, int characters) {
    QTextCursor cursor(document());
    if (lines > 0) {
        const QTextBlock firstKept = document()->findBlockByNumber(lines);
        if (firstKept.isValid())
            cursor.setPosition(firstKept.position(), QTextCursor::KeepAnchor);
        else
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (characters > 0) {
        cursor.setPosition(characters, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

void RxPane::scrollOneLineUp() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

} // namespace krx
