#pragma once

#include "core/WindowPlacement.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;

namespace krx {

// A window inside the main window's MDI area: it can switch between the main window's font
// and the user's toggle font, remembers its placement and closes only when allowed.
class MdiChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit MdiChildWindow(QWidget *parent = nullptr);

    // Puts the window into the MDI area inside its own sub-window.
    QMdiSubWindow *addTo(QMdiArea *area);
    QMdiSubWindow *subWindow() const { return subWindow_; }

    void setBaseFontFace(const QString &face);
    void setToggleFont(const QFont &font, const QColor &textColor);
    void setToggled(bool toggled);
    bool isToggled() const { return toggled_; }
    void toggleFont() { setToggled(!toggled_); }

    WindowPlacement placement() const;
    void applyPlacement(const WindowPlacement &placement);
    void showMinimizedInArea();
    // Restores a minimised window and brings it to the front.
    void bringToFront();

    void setClosingAllowed(bool allowed) { closingAllowed_ = allowed; }

    QSize sizeHint() const override { return preferredSize_; }

    // Which of cut, copy and paste apply while this window is active.
    struct EditActions {
        bool cut = false;
        bool copy = true;
        bool paste = false;
    };
    virtual EditActions editActions() const { return {}; }

signals:
    void activated();

protected:
    // The size the window opens with in the MDI area.
    void setPreferredSize(const QSize &size) { preferredSize_ = size; }
    void closeEvent(QCloseEvent *event) override;
    // Called after the font in use has changed, for windows that style their panes themselves.
    virtual void fontInUseChanged() {}

private:
    void applyFont();

    QMdiSubWindow *subWindow_ = nullptr;
    QSize preferredSize_{480, 320};
    QFont baseFont_;
    QFont toggleFont_;
    QColor toggleColor_;
    bool toggled_ = false;
    bool closingAllowed_ = false;
};

} // namespace krx
