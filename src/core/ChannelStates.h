#pragma once

#include <array>

namespace krx {

// The link state of a channel as the TNC's link texts report it.
enum class LinkState {
    Busy = 0,
    Connected = 1,
    Disconnected = 3,
    LinkFailure = 4,
    ConnectRequest = 5,
    FrameReject = 6,
};

// What the send operations need to know of a QSO channel.
struct ChannelState {
    LinkState linkState = LinkState::Disconnected;
    // A connect command for this channel was given here (not by the other station).
    bool connect_initiated_here = false;
    // An automatic command has taken the channel for its connect script.
    bool automation_claimed = false;
};

// The states of channels 1..10 and the set of connected channels.
class ChannelStates {
public:
    static constexpr int maxChannels = 10;

    ChannelState &operator[](int channel) { return states_.at(channel); }
    const ChannelState &operator[](int channel) const { return states_.at(channel); }

    void setConnected(int channel, bool connected) { connected_.at(channel) = connected; }
    bool isConnected(int channel) const { return connected_.at(channel); }
    bool anyConnected() const {
        for (bool connected : connected_)
            if (connected)
                return true;
        return false;
    }

private:
    std::array<ChannelState, maxChannels + 1> states_{};
    std::array<bool, maxChannels + 1> connected_{};
};

} // namespace krx
