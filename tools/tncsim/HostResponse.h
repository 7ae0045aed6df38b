#pragma once

#include <QByteArray>

namespace krx::tncsim {

// The response frames of WA8DED host mode, byte for byte.
namespace HostResponse {

// Largest data part of a code 6 or 7 frame (its length byte holds the count - 1).
inline constexpr int kMaxData = 256;

enum Code {
    kOk = 0,
    kMessage = 1,
    kError = 2,
    kLinkStatus = 3,
    kMonitorHeader = 4,
    kMonitorHeaderWithInfo = 5,
    kMonitorInfo = 6,
    kConnectedInfo = 7,
};

// Channel, code 0.
QByteArray ok(int channel);
// Channel, code 1 to 5, the text, a zero byte.
QByteArray text(int channel, int code, const QByteArray &text);
// Channel, code 6 or 7, count - 1, 1 to kMaxData data bytes.
QByteArray data(int channel, int code, const QByteArray &data);

} // namespace HostResponse

} // namespace krx::tncsim
