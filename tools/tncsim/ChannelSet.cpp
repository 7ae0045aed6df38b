#include "tncsim/ChannelSet.h"

#include "tncsim/Callsign.h"

namespace krx::tncsim {

ChannelSet::ChannelSet() {
    for (int channel = 0; channel <= kMaxChannels; ++channel)
        channels_.emplace_back(channel);
    channels_[0].ownCall = "NOCALL";
}

QByteArray ChannelSet::ownCall(int channel) const {
    const QByteArray &own = at(channel).ownCall;
    return own.isEmpty() ? channels_[0].ownCall : own;
}

void ChannelSet::setOwnCall(int channel, const QByteArray &call) {
    at(channel).ownCall = Callsign::normalized(call);
}

bool ChannelSet::isOwnCall(const QByteArray &call) const {
    for (const Channel &channel : channels_)
        if (!channel.ownCall.isEmpty() && Callsign::same(channel.ownCall, call))
            return true;
    return false;
}

int ChannelSet::pendingTotal() const {
    int total = 0;
    for (const Channel &channel : channels_)
        total += channel.pendingTotal();
    return total;
}

} // namespace krx::tncsim
