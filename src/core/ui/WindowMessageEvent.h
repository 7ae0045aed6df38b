#pragma once

#include "core/WindowMessages.h"

#include <QCoreApplication>
#include <QEvent>

namespace krx {

// A numbered window message carried as a posted Qt event.
class WindowMessageEvent final : public QEvent {
public:
    static QEvent::Type eventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    WindowMessageEvent(WindowMessage message, int wParam)
        : QEvent(eventType()), message_(message), wParam_(wParam) {}

    WindowMessage message() const { return message_; }
    int wParam() const { return wParam_; }

    // Queues the message for `receiver`; it is handled after the current event.
    static void post(QObject *receiver, WindowMessage message, int wParam = 0) {
        QCoreApplication::postEvent(receiver, new WindowMessageEvent(message, wParam));
    }

private:
    WindowMessage message_;
    int wParam_;
};

} // namespace krx
