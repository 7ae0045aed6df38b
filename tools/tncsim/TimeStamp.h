#pragma once

#include <QByteArray>

namespace krx {
class Clock;
}

namespace krx::tncsim {

class TncParameters;

// The " - dd/mm/yy hh:mm:ss" that link texts and monitor headers carry while K is 1 or 2.
class TimeStamp {
public:
    TimeStamp(const Clock &clock, const TncParameters &parameters)
        : clock_(clock), parameters_(parameters) {}

    // Empty while time stamps are off.
    QByteArray suffix() const;

private:
    const Clock &clock_;
    const TncParameters &parameters_;
};

} // namespace krx::tncsim
