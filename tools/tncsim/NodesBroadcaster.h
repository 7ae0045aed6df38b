#pragma once

#include "tncsim/NodesBroadcast.h"
#include "tncsim/Period.h"
#include "tncsim/Station.h"

namespace krx::tncsim {

// A NET/ROM node heard on the air: it broadcasts its routing table to NODES every so often,
// the first time soon after it starts. Its alias is made from its call ("QQ4NOD" is "NOD4").
class NodesBroadcaster final : public Station {
public:
    static constexpr qint64 kDefaultInterval = 60000;
    static constexpr qint64 kLongestFirstDelay = 10000;

    explicit NodesBroadcaster(const QByteArray &call,
                              qint64 intervalMilliseconds = kDefaultInterval);

    const NodesBroadcast &broadcast() const { return broadcast_; }
    // Broadcasts at once; true when the TNC showed every frame.
    bool broadcastNow();
    void timePassed(qint64 milliseconds) override;

    static QByteArray aliasOf(const QByteArray &call);

private:
    NodesBroadcast broadcast_;
    Period period_;
};

} // namespace krx::tncsim
