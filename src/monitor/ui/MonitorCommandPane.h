#pragma once

#include <QPlainTextEdit>
#include <optional>

namespace krx {

// The monitor's command pane: Enter hands the line holding the caret on as unproto text,
// Ctrl+Enter as a command for the TNC, other control keys (Tab, Escape, Ctrl+letters) go out
// at once. A line key in the middle of the text moves the caret down instead of breaking the
// line; Backspace on an empty line does nothing.
class MonitorCommandPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MonitorCommandPane(QWidget *parent = nullptr);

    // The control character a key stands for, when it is one to send at once: Tab, Escape and
    // Ctrl+letter, apart from the edit shortcuts and the Backspace and line keys.
    static std::optional<char> controlCharacterOf(const QKeyEvent &event);

    // A few lines high: the monitor pane below takes the rest of the window.
    QSize sizeHint() const override;

signals:
    void unprotoLineEntered(const QString &line);
    void commandLineEntered(const QString &line);
    void controlCharacterTyped(char character);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString currentLine() const;
    void finishLine();
};

} // namespace krx
