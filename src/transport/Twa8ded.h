#pragma once

#include "transport/HostResponse.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <array>

namespace krx {

// The WA8DED host-mode link: builds every frame sent to the TNC, assembles the byte stream
// that comes back into host_response records and chooses the next poll. It does no input or
// output; the caller sends the frames and hands the received chunks in.
class Twa8ded {
public:
    static constexpr int MaxChannels = 10;          // QSO channels 1..10 beside channel 0
    static constexpr int MaxInformationBytes = 256; // payload of one information frame
    static constexpr int MaxCommandLength = 256;
    static constexpr int ReceiveBufferSize = 1024; // no legal response is longer

    struct Poll {
        PollKind kind;
        QByteArray frame;
        ReplyKind expectedKind() const { return expectedKindOf(kind); }
    };

    // Frames. Channels are 0..255. A command or a text is taken up to its first zero byte;
    // information bytes are taken whole.
    // An empty command or one longer than MaxCommandLength cannot be framed: empty result.
    static QByteArray CommandFrame(int channel, QByteArrayView command);
    // One frame per MaxInformationBytes of data, to be sent (queued) one by one; none for
    // empty data.
    static QList<QByteArray> InformationFrames(int channel, QByteArrayView bytes);
    static QList<QByteArray> InformationFramesFromText(int channel, QByteArrayView text);
    static QByteArray DataPollFrame(int channel);
    static QByteArray StatusPollFrame(int channel);
    static QByteArray BufferQueryFrame();
    static QByteArray EnterHostModeFrame();
    static QByteArray LeaveHostModeFrame();

    // The poll to send after a response with this code (or after a rejected one, code 0).
    Poll NextPoll(int code);
    // Polls the channel with "G" limit + 1 times before the normal cycle goes on.
    void ForcePolls(int channel, int limit);

    // Adds received bytes while polling. The record is complete (route it, then send the next
    // frame with its code), rejected (a code byte above 7 or a text longer than the receive
    // buffer: counted, buffer dropped; send the next frame as after code 0) or incomplete
    // (wait for more). At most one response is outstanding, so bytes after the end of a
    // completed or rejected response in the same chunk are dropped.
    HostResponse AddResponseBytes(QByteArrayView chunk);
    // Adds received bytes while the init commands are answered on channel 0 (codes 0 to 2).
    // A complete record is built as above (code 2 carries the TNC's error text to show).
    // Bytes that cannot begin such an answer are dropped one by one (a run counts as one
    // protocol error), so stray bytes never hide the answer that follows them.
    HostResponse AddInitBytes(QByteArrayView chunk);
    // Gives up the init answer being assembled (the caller's timeout); see the .cpp.
    void AbandonInitAnswer();
    // Drops a response that stopped arriving, before the request is sent again.
    void DiscardPartialResponse();
    int protocolErrors() const { return protocolErrors_; }

    int kanavien_maara() const { return channelCount_; }
    void set_kanavien_maara(int count); // kept within 0..MaxChannels
    int activeChannel() const { return activeChannel_; }
    void setActiveChannel(int channel) { activeChannel_ = channel; }
    bool isHostModeActive() const { return hostModeActive_; }
    void setHostModeActive(bool active) { hostModeActive_ = active; }
    bool isInitialising() const { return initialising_; }
    void setInitialising(bool initialising) { initialising_ = initialising; }
    ReplyKind expectedKind() const { return expectedKind_; }
    void setExpectedKind(ReplyKind kind) { expectedKind_ = kind; }

private:
    bool skipsTail(char byte);
    bool bufferHoldsWholeResponse() const;
    HostResponse takeResponse();
    HostResponse incomplete() const;
    HostResponse reject();

    int channelCount_ = 0;
    int activeChannel_ = 0;
    bool hostModeActive_ = false;
    bool initialising_ = false;
    ReplyKind expectedKind_ = ReplyKind::DataPoll;

    QByteArray buffer_;
    bool skipToZero_ = false; // dropping the rest of a text response up to its zero byte
    bool inStrayRun_ = false;
    int protocolErrors_ = 0;

    bool generalPoll_ = false;
    int lastChannel_ = -1;
    std::array<int, MaxChannels + 1> pollCounters_{};
    int forcedChannel_ = -1;
    int forcedCount_ = 0;
    int forcedLimit_ = 4;
};

} // namespace krx
