#pragma once

#include "core/Clock.h"

namespace krx {

// Wall-clock time and QTimer-based timers on the calling thread's event loop.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    std::unique_ptr<Timer> createTimer() override;
};

} // namespace krx
