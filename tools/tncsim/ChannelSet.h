#pragma once

#include "tncsim/Channel.h"

#include <QByteArrayList>
#include <vector>

namespace krx::tncsim {

// Channel 0 (unproto and monitor) and the QSO channels 1 to count(); Y sets the count.
class ChannelSet {
public:
    static constexpr int kMaxChannels = 10;
    static constexpr int kDefaultChannels = 10;

    ChannelSet();

    Channel &at(int channel) { return channels_.at(channel); }
    const Channel &at(int channel) const { return channels_.at(channel); }
    int count() const { return count_; }
    void setCount(int count) { count_ = count; }
    bool isInUse(int channel) const { return channel >= 0 && channel <= count_; }

    // The channel's own call, or channel 0's when it has none of its own.
    QByteArray ownCall(int channel) const;
    void setOwnCall(int channel, const QByteArray &call);
    bool isOwnCall(const QByteArray &call) const;
    int pendingTotal() const;

    // Where information frames on channel 0 go (C on channel 0): destination and digipeaters.
    QByteArrayList unprotoPath() const { return unprotoPath_; }
    void setUnprotoPath(const QByteArrayList &path) { unprotoPath_ = path; }

private:
    std::vector<Channel> channels_;
    int count_ = kDefaultChannels;
    QByteArrayList unprotoPath_{"CQ"};
};

} // namespace krx::tncsim
