#include "tncsim/Station.h"

#include "tncsim/Callsign.h"

namespace krx::tncsim {

Station::Station(const QByteArray &call) : call_(Callsign::normalized(call)) {}

Station::~Station() = default;

ConnectAnswer Station::answerConnect(const QByteArray &) {
    return ConnectAnswer::Accept;
}

void Station::connected(Connection &) {}

void Station::received(Connection &, const QByteArray &) {}

void Station::disconnected(Connection &) {}

void Station::connectFailed(const QByteArray &, ConnectAnswer) {}

void Station::heardUnproto(const QByteArray &, const QByteArray &, const QByteArray &) {}

void Station::timePassed(qint64) {}

} // namespace krx::tncsim
