#pragma once

#include <QByteArray>

namespace krx {

// What the request that a response answers was. The sender sets it on the link before each
// request goes out, and the link copies it into the response record.
enum class ReplyKind : int {
    DataPoll = 0,         // "G"
    BufferQuery = 1,      // "@B"
    InformationFrame = 3, // an information frame from the outgoing queue
    Command = 5,          // a command frame from the outgoing queue
    StatusPoll = 6,       // "L"
    ConnectionStatus = 7, // a bare "c" asking whether a channel is connected
};

// The poll the link chose to send next.
enum class PollKind : int {
    Status = 3,      // "L"
    Data = 4,        // "G"
    BufferQuery = 5, // "@B"
};

constexpr ReplyKind expectedKindOf(PollKind poll) {
    switch (poll) {
    case PollKind::Status:
        return ReplyKind::StatusPoll;
    case PollKind::Data:
        return ReplyKind::DataPoll;
    case PollKind::BufferQuery:
        break;
    }
    return ReplyKind::BufferQuery;
}

// The host_response record: one response of the TNC as the link assembled it.
struct HostResponse {
    static constexpr int Incomplete = -3; // length while the response is still arriving
    static constexpr int Rejected = -1;   // length after a protocol error
    static constexpr int MaxText = 300;   // longest record text, the appended CR included

    int channel = 0; // first byte of the response; 0 after a protocol error
    int code = 0;    // second byte, 0 to 7; 0 after a protocol error
    // Data characters: 0 for code 0, the text length without the appended CR for codes 1 to 5,
    // L + 1 for codes 6 and 7; Incomplete or Rejected otherwise.
    int length = Incomplete;
    ReplyKind kind = ReplyKind::DataPoll;
    // Codes 1 to 5: the text followed by CR (13); codes 6 and 7: the L + 1 data bytes.
    QByteArray text;

    bool isComplete() const { return length >= 0; }
    // The bytes broke the protocol: the caller sends the next frame as after a code 0 answer.
    bool isRejected() const { return length == Rejected; }
};

} // namespace krx
