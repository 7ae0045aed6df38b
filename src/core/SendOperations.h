#pragma once

#include "transport/HostResponse.h"

#include <QByteArray>

namespace krx {

// The main window's send operations: everything a window sends to the TNC goes through them
// into the one outgoing queue.
class SendOperations {
public:
    virtual ~SendOperations() = default;
    // Sends text on a channel (converted to OEM when the automatic conversion is on) and
    // echoes it in that channel's window with display code 8. The text must not be empty.
    virtual void SendText(int channel, const QByteArray &text) = 0;
    // Sends bytes as they are, without echo.
    virtual void SendBytes(int channel, const QByteArray &bytes) = 0;
    virtual void SendCommand(int channel, const QByteArray &command,
                             ReplyKind kind = ReplyKind::Command) = 0;
    // The figure the transfer procedures pace their outgoing data with.
    virtual int transmitRoom(int channel) const = 0;
};

} // namespace krx
