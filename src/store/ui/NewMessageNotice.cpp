#include "store/ui/NewMessageNotice.h"

#include "store/ui/ListsWindowTexts.h"

#include <QPainter>
#include <QSystemTrayIcon>

namespace krx {

namespace {

// A parcel: the icon of the new-message notice.
QIcon parcelIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(0xc8, 0x96, 0x50));
    painter.drawRect(4, 8, 24, 18);
    painter.drawLine(16, 8, 16, 26);
    painter.drawLine(4, 17, 28, 17);
    return QIcon(pixmap);
}

} // namespace

NewMessageNotice::NewMessageNotice(Language language, QObject *parent)
    : QObject(parent), language_(language) {}

NewMessageNotice::~NewMessageNotice() {
    remove();
}

QSystemTrayIcon *NewMessageNotice::icon() {
    if (!icon_) {
        icon_ = new QSystemTrayIcon(parcelIcon(), this);
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::DoubleClick)
                        emit raiseRequested();
                });
    }
    return icon_;
}

void NewMessageNotice::showCount(int count) {
    if (count < 1) {
        remove();
        return;
    }
    toolTip_ = listswindowtexts::newMessagesTip.in(language_).arg(count);
    shown_ = true;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    icon()->setToolTip(toolTip_);
    icon()->show();
}

void NewMessageNotice::remove() {
    shown_ = false;
    toolTip_.clear();
    if (icon_)
        icon_->hide();
}

} // namespace krx
