#pragma once

#include "transport/HostResponse.h"

#include <QByteArray>

namespace krx {

// Where the responses of a QSO channel go (the channel window's engine).
class ChannelEndpoint {
public:
    virtual ~ChannelEndpoint() = default;
    // Display codes: 1..7 the response codes, 8 own sent text, 9 program notices.
    virtual void ShowText(const QByteArray &text, int code) = 0;
    virtual void ProcessResponse(const HostResponse &response) = 0;
    // The answer to the bare "c" query, the CR included.
    virtual void ShowConnectStatus(const QByteArray &text) = 0;
    // The status numbers of the channel; returns the number of received frames waiting in
    // the TNC when it is above the window's threshold, otherwise 0.
    virtual int ShowLinkStatus(const QByteArray &text) = 0;
};

// Where the responses of channel 0 go (the monitor window's engine).
class MonitorEndpoint {
public:
    virtual ~MonitorEndpoint() = default;
    virtual void ShowMonitorText(const QByteArray &text, int code) = 0;
    virtual void CaptureMonitor(const HostResponse &response) = 0;
    virtual int ShowMonitorStatus(const QByteArray &text) = 0;
};

} // namespace krx
