#include "core/SystemClock.h"

#include <QTimer>

namespace krx {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    void setInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    int interval() const override { return timer_.interval(); }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

std::unique_ptr<Timer> SystemClock::createTimer() {
    return std::make_unique<QtTimer>();
}

} // namespace krx
