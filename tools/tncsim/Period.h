#pragma once

#include <QtGlobal>
#include <algorithm>

namespace krx::tncsim {

// Simulated time for a station that acts every so often: first after `first` milliseconds,
// then every `interval`.
class Period {
public:
    Period(qint64 interval, qint64 first)
        : interval_(std::max<qint64>(interval, 1)), left_(first) {}

    qint64 interval() const { return interval_; }
    // How many times the period ended in the time that passed.
    int elapse(qint64 milliseconds) {
        int ended = 0;
        for (left_ -= milliseconds; left_ <= 0; left_ += interval_)
            ++ended;
        return ended;
    }

private:
    qint64 interval_;
    qint64 left_;
};

} // namespace krx::tncsim
