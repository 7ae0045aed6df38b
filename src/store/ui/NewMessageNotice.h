#pragma once

#include "core/Language.h"

#include <QObject>

class QSystemTrayIcon;

namespace krx {

// The notification-area icon that tells how many new headers the personal list holds: shown
// while the count is above 0, with the count in its tooltip. Where the desktop has no
// notification area nothing is shown (the status summary carries the counts).
class NewMessageNotice : public QObject {
    Q_OBJECT
public:
    explicit NewMessageNotice(Language language, QObject *parent = nullptr);
    ~NewMessageNotice() override;

    void showCount(int count);
    void remove();

    // Whether the notice is up (the count is above 0), with or without a notification area.
    bool isShown() const { return shown_; }
    QString toolTip() const { return toolTip_; }

signals:
    // A double click on the icon.
    void raiseRequested();

private:
    QSystemTrayIcon *icon();

    Language language_;
    QSystemTrayIcon *icon_ = nullptr;
    QString toolTip_;
    bool shown_ = false;
};

} // namespace krx
