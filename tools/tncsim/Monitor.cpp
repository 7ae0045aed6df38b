#include "tncsim/Monitor.h"

#include "tncsim/Channel.h"
#include "tncsim/HostResponse.h"
#include "tncsim/TimeStamp.h"
#include "tncsim/TncParameters.h"

namespace krx::tncsim {

Monitor::Monitor(Channel &channel0, const TncParameters &parameters, const TimeStamp &stamp,
                 std::function<bool()> anyLinkUp)
    : channel0_(channel0), parameters_(parameters), stamp_(stamp),
      anyLinkUp_(std::move(anyLinkUp)) {}

bool Monitor::report(const MonitorFrame &frame) {
    if (!parameters_.monitors(frame.frameClass()))
        return false;
    if (anyLinkUp_() && !parameters_.monitors('C'))
        return false;
    const QByteArray header = frame.header() + stamp_.suffix();
    if (frame.info.isEmpty()) {
        channel0_.queue(HostResponse::kMonitorHeader, header);
        return true;
    }
    channel0_.queue(HostResponse::kMonitorHeaderWithInfo, header);
    channel0_.queue(HostResponse::kMonitorInfo, frame.info);
    return true;
}

bool Monitor::inject(const MonitorFrame &frame) {
    if (frame.info.size() > HostResponse::kMaxData)
        return false;
    return report(frame);
}

} // namespace krx::tncsim
