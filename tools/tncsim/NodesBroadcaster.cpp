#include "tncsim/NodesBroadcaster.h"

#include "tncsim/Callsign.h"

#include <algorithm>

namespace krx::tncsim {

namespace {

// Routes with SSIDs 0 and 15 among the destinations and the neighbours.
const QList<NodesRoute> kRoutes{
    {"QQ3NOD", "NOD3", "QQ3NOD", 192},      {"QQ6NOD-15", "TAMPR", "QQ3NOD", 152},
    {"QQ2BBS-1", "BBS2", "QQ6NOD-15", 120}, {"QQ5DX", "DXC5", "QQ3NOD", 140},
    {"QQ8NOD-7", "ESPOO", "QQ8NOD-7", 90},
};

} // namespace

NodesBroadcaster::NodesBroadcaster(const QByteArray &call, qint64 intervalMilliseconds)
    : Station(call), broadcast_(aliasOf(Callsign::normalized(call)), kRoutes),
      period_(intervalMilliseconds, std::min(intervalMilliseconds, kLongestFirstDelay)) {}

// The letters after the call's area digit, then the digit.
QByteArray NodesBroadcaster::aliasOf(const QByteArray &call) {
    const QByteArray base = call.left(call.indexOf('-') < 0 ? call.size() : call.indexOf('-'));
    qsizetype digit = base.size() - 1;
    while (digit >= 0 && (base[digit] < '0' || base[digit] > '9'))
        --digit;
    if (digit < 0)
        return base.left(NodesBroadcast::kAliasSize);
    return (base.mid(digit + 1) + base[digit]).right(NodesBroadcast::kAliasSize);
}

bool NodesBroadcaster::broadcastNow() {
    if (!isAttached())
        return false;
    bool shown = true;
    for (const MonitorFrame &frame : broadcast_.frames(call()))
        shown = network().transmit(frame) && shown;
    return shown;
}

void NodesBroadcaster::timePassed(qint64 milliseconds) {
    for (int broadcasts = period_.elapse(milliseconds); broadcasts > 0; --broadcasts)
        broadcastNow();
}

} // namespace krx::tncsim
