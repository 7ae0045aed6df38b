#pragma once

#include "tncsim/HostCommand.h"

#include <map>

namespace krx::tncsim {

class ChannelSet;
class LinkLayer;
class TncParameters;

// Answers the host's command frames (G, L, @B, C, D, I, Y, JHOST and the parameters) the way
// a WA8DED TNC does: exactly one response frame per command.
class CommandInterpreter {
public:
    struct Result {
        QByteArray response;
        bool leaveHostMode = false;
    };

    CommandInterpreter(ChannelSet &channels, TncParameters &parameters, LinkLayer &links);

    Result execute(int channel, const QByteArray &text);
    // From now on the command (compared as HostCommand::normalized()) fails with errorText.
    void reject(const QByteArray &command, const QByteArray &errorText);

    // The free buffers a TNC of this size starts with.
    static constexpr int kBuffers = 8192;

private:
    QByteArray poll(int channel);
    QByteArray status(int channel) const;
    QByteArray connect(int channel, const QByteArray &argument);
    QByteArray disconnect(int channel);
    QByteArray ownCall(int channel, const QByteArray &argument);
    QByteArray channelCount(int channel, const QByteArray &argument);
    QByteArray parameter(int channel, const HostCommand &command);

    ChannelSet &channels_;
    TncParameters &parameters_;
    LinkLayer &links_;
    const QByteArrayList longNames_;
    std::map<QByteArray, QByteArray> rejected_;
};

} // namespace krx::tncsim
