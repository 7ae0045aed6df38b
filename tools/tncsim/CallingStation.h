#pragma once

#include "tncsim/EchoStation.h"

#include <optional>

namespace krx::tncsim {

// A station that connects to the TNC: when told to (callNow) or once after a delay. Once
// connected it greets with "Hello from CALL" and then echoes lines.
class CallingStation final : public EchoStation {
public:
    // A negative delay: the station calls only when told to.
    explicit CallingStation(const QByteArray &call, qint64 delayMilliseconds = -1);

    void callNow();
    bool isConnected() const { return link_ != nullptr; }
    // How the last call failed, if it did.
    std::optional<ConnectAnswer> lastFailure() const { return lastFailure_; }

    void connected(Connection &connection) override;
    void disconnected(Connection &connection) override;
    void connectFailed(const QByteArray &toCall, ConnectAnswer answer) override;
    void timePassed(qint64 milliseconds) override;

private:
    qint64 delayLeft_;
    Connection *link_ = nullptr;
    std::optional<ConnectAnswer> lastFailure_;
};

} // namespace krx::tncsim
