#include "core/ui/MdiChildWindow.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace krx {

MdiChildWindow::MdiChildWindow(QWidget *parent) : QWidget(parent), baseFont_(font()) {
    baseFont_.setPixelSize(13);
}

QMdiSubWindow *MdiChildWindow::addTo(QMdiArea *area) {
    subWindow_ = area->addSubWindow(this);
    QPixmap noIcon(1, 1);
    noIcon.fill(Qt::transparent);
    subWindow_->setWindowIcon(QIcon(noIcon));
    subWindow_->adjustSize();
    connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (window && window == subWindow_)
            emit activated();
    });
    return subWindow_;
}

void MdiChildWindow::setBaseFontFace(const QString &face) {
    baseFont_.setFamily(face);
    applyFont();
}

void MdiChildWindow::setToggleFont(const QFont &font, const QColor &textColor) {
    toggleFont_ = font;
    toggleColor_ = textColor;
    applyFont();
}

void MdiChildWindow::setToggled(bool toggled) {
    toggled_ = toggled;
    applyFont();
}

void MdiChildWindow::applyFont() {
    setFont(toggled_ ? toggleFont_ : baseFont_);
    QPalette colors = palette();
    const QColor text = toggled_ ? toggleColor_ : QPalette().color(QPalette::Text);
    colors.setColor(QPalette::Text, text);
    colors.setColor(QPalette::WindowText, text);
    setPalette(colors);
    fontInUseChanged();
}

WindowPlacement MdiChildWindow::placement() const {
    WindowPlacement placement;
    const QWidget *frame = subWindow_ ? static_cast<const QWidget *>(subWindow_) : this;
    placement.state = frame->isMinimized()   ? WindowPlacement::State::Minimised
                      : frame->isMaximized() ? WindowPlacement::State::Maximised
                                             : WindowPlacement::State::Normal;
    const QRect normal =
        frame->isMinimized() || frame->isMaximized() ? frame->normalGeometry() : frame->geometry();
    const QRect rect = normal.isValid() ? normal : frame->geometry();
    placement.left = rect.left();
    placement.top = rect.top();
    placement.width = rect.width();
    placement.height = rect.height();
    return placement;
}

void MdiChildWindow::applyPlacement(const WindowPlacement &placement) {
    QWidget *frame = subWindow_ ? static_cast<QWidget *>(subWindow_) : this;
    frame->showNormal();
    frame->setGeometry(placement.left, placement.top, placement.width, placement.height);
    if (placement.state == WindowPlacement::State::Minimised)
        frame->showMinimized();
    else if (placement.state == WindowPlacement::State::Maximised)
        frame->showMaximized();
}

void MdiChildWindow::showMinimizedInArea() {
    (subWindow_ ? static_cast<QWidget *>(subWindow_) : this)->showMinimized();
}

void MdiChildWindow::bringToFront() {
    QWidget *frame = subWindow_ ? static_cast<QWidget *>(subWindow_) : this;
    if (frame->isMinimized())
        frame->showNormal();
    frame->show();
    if (subWindow_ && subWindow_->mdiArea())
        subWindow_->mdiArea()->setActiveSubWindow(subWindow_);
    frame->raise();
}

void MdiChildWindow::closeEvent(QCloseEvent *event) {
    if (closingAllowed_)
        event->accept();
    else
        event->ignore();
}

} // namespace krx
