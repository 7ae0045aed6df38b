#pragma once

#include <QPlainTextEdit>
#include <QTextCharFormat>

namespace krx {

class RxLineModel;

// The RX pane: a read-only view of a channel's received lines, each stretch in the colour
// of its display code. It mirrors the line model and scrolls to the newest text unless
// scroll lock is on.
class RxPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RxPane(RxLineModel &model, QWidget *parent = nullptr);

    // The look of a display code: 1 to 3 blue, 4 and 5 red bold, 6 and 7 black, 8 gray,
    // 9 green.
    static QTextCharFormat formatOf(int code);

    void scrollOneLineUp();

private:
    void showModel();
    void append(const QByteArray &text, int code);
    void removeFront(int lines, int characters);

    RxLineModel &model_;
};

} // namespace krx
