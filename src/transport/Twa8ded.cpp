#include "transport/Twa8ded.h"

#include <algorithm>

namespace krx {

namespace {

constexpr char InformationFlag = 0;
constexpr char CommandFlag = 1;
constexpr int LastCode = 7;
constexpr int LastInitCode = 2;
constexpr int MonitorHeaderWithInformation = 5;

// channel, information/command flag, payload length - 1, payload (1..256 bytes)
QByteArray frame(int channel, char flag, QByteArrayView payload) {
    Q_ASSERT(channel >= 0 && channel <= 255);
    Q_ASSERT(!payload.isEmpty() && payload.size() <= Twa8ded::MaxInformationBytes);
    QByteArray bytes;
    bytes.reserve(payload.size() + 3);
    bytes.append(char(channel)).append(flag).append(char(payload.size() - 1)).append(payload);
    return bytes;
}

QByteArrayView untilZero(QByteArrayView text) {
    const qsizetype end = text.indexOf('\0');
    return end < 0 ? text : text.first(end);
}

bool isTextCode(int code) {
    return code >= 1 && code <= 5;
}

} // namespace

QByteArray Twa8ded::CommandFrame(int channel, QByteArrayView command) {
    command = untilZero(command);
    if (command.isEmpty() || command.size() > MaxCommandLength)
        return {};
    return frame(channel, CommandFlag, command);
}

QList<QByteArray> Twa8ded::InformationFrames(int channel, QByteArrayView bytes) {
    QList<QByteArray> frames;
    for (qsizetype at = 0; at < bytes.size(); at += MaxInformationBytes) {
        const qsizetype size = std::min<qsizetype>(MaxInformationBytes, bytes.size() - at);
        frames.append(frame(channel, InformationFlag, bytes.sliced(at, size)));
    }
    return frames;
}

QList<QByteArray> Twa8ded::InformationFramesFromText(int channel, QByteArrayView text) {
    return InformationFrames(channel, untilZero(text));
}

QByteArray Twa8ded::DataPollFrame(int channel) {
    return frame(channel, CommandFlag, "G");
}

QByteArray Twa8ded::StatusPollFrame(int channel) {
    return frame(channel, CommandFlag, "L");
}

QByteArray Twa8ded::BufferQueryFrame() {
    return frame(0, CommandFlag, "@B");
}

QByteArray Twa8ded::EnterHostModeFrame() {
    return QByteArray("\x18\x1bjhost1\r");
}

QByteArray Twa8ded::LeaveHostModeFrame() {
    return frame(0, CommandFlag, "jhost0");
}

// Channels 0..N are visited in turn with "G", followed by "@B"; each channel's counter picks
// one visit in N + 1 for "L" instead. A monitor header announcing information (code 5) sends
// the poll back to channel 0 so the information follows its header.
Twa8ded::Poll Twa8ded::NextPoll(int code) {
    if (forcedChannel_ >= 0) {
        const int channel = forcedChannel_;
        if (++forcedCount_ > forcedLimit_)
            forcedChannel_ = -1;
        return {PollKind::Data, DataPollFrame(channel)};
    }
    if (lastChannel_ >= channelCount_) {
        generalPoll_ = true;
        return {PollKind::BufferQuery, BufferQueryFrame()};
    }
    const int channel = generalPoll_ || code == MonitorHeaderWithInformation ? 0 : lastChannel_ + 1;
    int &counter = pollCounters_[channel];
    if (++counter > channelCount_)
        counter = 0;
    generalPoll_ = false;
    if (channel == counter)
        return {PollKind::Status, StatusPollFrame(channel)};
    return {PollKind::Data, DataPollFrame(channel)};
}

void Twa8ded::ForcePolls(int channel, int limit) {
    Q_ASSERT(channel >= 0 && channel <= 255);
    forcedChannel_ = channel;
    forcedCount_ = 0;
    forcedLimit_ = limit;
}

HostResponse Twa8ded::AddResponseBytes(QByteArrayView chunk) {
    for (qsizetype at = 0; at < chunk.size(); ++at) {
        if (skipsTail(chunk[at]))
            continue;
        buffer_.append(chunk[at]);
        lastChannel_ = quint8(buffer_[0]);
        if (buffer_.size() == 2 && quint8(buffer_[1]) > LastCode)
            return reject();
        if (bufferHoldsWholeResponse())
            return takeResponse();
        if (buffer_.size() == ReceiveBufferSize) {
            // A text without end: the rest of it, when it comes after the next request, must not
            // be taken for that request's answer.
            skipToZero_ = !chunk.sliced(at + 1).contains('\0');
            return reject();
        }
    }
    return incomplete();
}

HostResponse Twa8ded::AddInitBytes(QByteArrayView chunk) {
    for (const char byte : chunk) {
        if (skipsTail(byte))
            continue;
        const bool fitsAnswer =
            buffer_.isEmpty() ? byte == 0 : buffer_.size() > 1 || quint8(byte) <= LastInitCode;
        if (!fitsAnswer) {
            if (!inStrayRun_)
                ++protocolErrors_;
            inStrayRun_ = true;
            buffer_.clear();
            continue;
        }
        inStrayRun_ = false;
        buffer_.append(byte);
        if (bufferHoldsWholeResponse())
            return takeResponse();
        if (buffer_.size() == ReceiveBufferSize) {
            ++protocolErrors_;
            buffer_.clear();
            skipToZero_ = true;
        }
    }
    return incomplete();
}

// The TNC sends each answer in one piece, so late bytes of an abandoned answer are the rest of
// the answer whose start is in the buffer. When its code showed a text answer (code 1 or 2),
// that rest runs up to its zero byte and is dropped when it comes. Nothing more can be told
// apart: after a lone channel byte the rest may be a single zero, which looks like the start
// of the next answer, and an answer of which nothing had come looks like the next one whole.
// Dropping everything that arrives until the next command goes out would drop nothing here,
// since the caller sends that command at once.
void Twa8ded::AbandonInitAnswer() {
    if (buffer_.size() >= 2)
        skipToZero_ = true;
    buffer_.clear();
}

void Twa8ded::DiscardPartialResponse() {
    buffer_.clear();
    skipToZero_ = false;
}

void Twa8ded::set_kanavien_maara(int count) {
    channelCount_ = std::clamp(count, 0, MaxChannels);
}

bool Twa8ded::skipsTail(char byte) {
    if (!skipToZero_)
        return false;
    skipToZero_ = byte != 0;
    return true;
}

// Checked after every byte, so a text response ends at its first zero byte.
bool Twa8ded::bufferHoldsWholeResponse() const {
    const qsizetype size = buffer_.size();
    if (size < 2)
        return false;
    const int code = quint8(buffer_[1]);
    if (code == 0)
        return true;
    if (isTextCode(code))
        return size > 2 && buffer_.back() == 0;
    return size > 2 && size == quint8(buffer_[2]) + 4;
}

HostResponse Twa8ded::takeResponse() {
    HostResponse response;
    response.channel = quint8(buffer_[0]);
    response.code = quint8(buffer_[1]);
    response.kind = expectedKind_;
    const bool isText = isTextCode(response.code);
    if (isText) // the text before its zero byte, cut to leave room for the CR
        response.text =
            buffer_.sliced(2, std::min<qsizetype>(buffer_.size() - 3, HostResponse::MaxText - 1));
    else if (response.code > 0)
        response.text = buffer_.sliced(3);
    response.length = int(response.text.size());
    if (isText)
        response.text.append('\r');
    buffer_.clear();
    return response;
}

HostResponse Twa8ded::incomplete() const {
    HostResponse response;
    response.kind = expectedKind_;
    return response;
}

HostResponse Twa8ded::reject() {
    buffer_.clear();
    lastChannel_ = 0;
    ++protocolErrors_;
    HostResponse response = incomplete();
    response.length = HostResponse::Rejected;
    return response;
}

} // namespace krx
