#pragma once

#include "tncsim/MonitorFrame.h"

#include <functional>

namespace krx::tncsim {

class Channel;
class TimeStamp;
class TncParameters;

// Puts the frames the TNC hears on channel 0 as the M setting asks: a code 4 header, or a
// code 5 header followed by its code 6 contents.
class Monitor {
public:
    Monitor(Channel &channel0, const TncParameters &parameters, const TimeStamp &stamp,
            std::function<bool()> anyLinkUp);

    // False when the M setting leaves the frame out.
    bool report(const MonitorFrame &frame);
    // False, and nothing is reported, when the contents do not fit one frame.
    bool inject(const MonitorFrame &frame);

private:
    Channel &channel0_;
    const TncParameters &parameters_;
    const TimeStamp &stamp_;
    std::function<bool()> anyLinkUp_;
};

} // namespace krx::tncsim
