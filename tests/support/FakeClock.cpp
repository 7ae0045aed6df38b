#include "FakeClock.h"

#include <algorithm>

namespace krx::test {

class FakeClock::FakeTimer final : public Timer {
public:
    explicit FakeTimer(FakeClock &clock) : clock_(clock) { clock_.timers_.push_back(this); }
    ~FakeTimer() override { std::erase(clock_.timers_, this); }

    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    void start() override {
        active_ = true;
        due_ = clock_.elapsed_ + std::max(interval_, 0);
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }

    qint64 due() const { return due_; }
    void expire() {
        due_ += std::max(interval_, 1);
        fire();
    }

private:
    FakeClock &clock_;
    int interval_ = 0;
    bool active_ = false;
    qint64 due_ = 0;
};

FakeClock::FakeClock(QDateTime start) : start_(std::move(start)) {}

FakeClock::~FakeClock() = default;

QDateTime FakeClock::now() const {
    return start_.addMSecs(elapsed_);
}

void FakeClock::setNow(const QDateTime &time) {
    start_ = time.addMSecs(-elapsed_);
}

std::unique_ptr<Timer> FakeClock::createTimer() {
    return std::make_unique<FakeTimer>(*this);
}

void FakeClock::advance(qint64 milliseconds) {
    const qint64 target = elapsed_ + milliseconds;
    // Bounded: a zero-interval timer cannot hold simulated time still forever.
    for (int firings = 0; firings < 1'000'000; ++firings) {
        FakeTimer *next = nullptr;
        for (FakeTimer *timer : timers_)
            if (timer->isActive() && timer->due() <= target &&
                (!next || timer->due() < next->due()))
                next = timer;
        if (!next)
            break;
        elapsed_ = std::max(elapsed_, next->due());
        next->expire();
    }
    elapsed_ = target;
}

} // namespace krx::test
