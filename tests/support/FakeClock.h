#pragma once

#include "core/Clock.h"

#include <vector>

namespace krx::test {

// A clock whose time moves only when the test advances it; its timers fire in order
// of their due time, each at its own simulated moment.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 11), QTime(14, 37, 5)));
    ~FakeClock() override;

    QDateTime now() const override;
    std::unique_ptr<Timer> createTimer() override;

    void advance(qint64 milliseconds);
    void setNow(const QDateTime &time);
    // Milliseconds of simulated time since the clock was made.
    qint64 elapsed() const { return elapsed_; }

private:
    class FakeTimer;
    friend class FakeTimer;

    QDateTime start_;
    qint64 elapsed_ = 0;
    std::vector<FakeTimer *> timers_;
};

} // namespace krx::test
