#pragma once

#include <QDateTime>
#include <functional>
#include <memory>

namespace krx {

// A repeating timer driven by a Clock. A test clock fires it in simulated time.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // Starts (or restarts) the timer with its full interval.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    void start(int milliseconds) {
        setInterval(milliseconds);
        start();
    }
    void onTimeout(std::function<void()> handler) { timeoutHandler_ = std::move(handler); }

protected:
    void fire() {
        if (timeoutHandler_)
            timeoutHandler_();
    }

private:
    std::function<void()> timeoutHandler_;
};

// The time of day and the timers of the program; the seam that lets tests run in simulated time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

} // namespace krx
