#include "tncsim/CallingStation.h"

namespace krx::tncsim {

CallingStation::CallingStation(const QByteArray &call, qint64 delayMilliseconds)
    : EchoStation(call), delayLeft_(delayMilliseconds) {}

void CallingStation::callNow() {
    if (!isAttached() || link_)
        return;
    lastFailure_.reset();
    network().connect(*this, network().tncCall());
}

void CallingStation::connected(Connection &connection) {
    link_ = &connection;
    connection.send("Hello from " + call() + '\r');
}

void CallingStation::disconnected(Connection &connection) {
    if (link_ == &connection)
        link_ = nullptr;
    EchoStation::disconnected(connection);
}

void CallingStation::connectFailed(const QByteArray &, ConnectAnswer answer) {
    lastFailure_ = answer;
}

void CallingStation::timePassed(qint64 milliseconds) {
    if (delayLeft_ < 0)
        return;
    delayLeft_ -= milliseconds;
    if (delayLeft_ > 0)
        return;
    delayLeft_ = -1;
    callNow();
}

} // namespace krx::tncsim
