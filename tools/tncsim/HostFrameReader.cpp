#include "tncsim/HostFrameReader.h"

namespace krx::tncsim {

void HostFrameReader::append(const QByteArray &bytes) {
    buffer_.append(bytes);
}

std::optional<HostFrameReader::Request> HostFrameReader::next(bool hostMode) {
    return hostMode ? nextFrame() : nextLine();
}

std::optional<HostFrameReader::Request> HostFrameReader::nextLine() {
    const qsizetype end = buffer_.indexOf('\r');
    if (end < 0) {
        if (buffer_.size() <= kMaxTerminalLine)
            return std::nullopt;
        Request garbage{
            Request::Type::Malformed, 0, buffer_,
            QStringLiteral("%1 bytes in terminal mode without a CR").arg(buffer_.size())};
        buffer_.clear();
        return garbage;
    }
    Request line{Request::Type::TerminalLine, 0, buffer_.left(end), {}};
    buffer_.remove(0, end + 1);
    return line;
}

std::optional<HostFrameReader::Request> HostFrameReader::nextFrame() {
    if (buffer_.size() < 2)
        return std::nullopt;
    const int channel = quint8(buffer_[0]);
    const int code = quint8(buffer_[1]);
    if (code > 1) {
        // Nothing tells where the next frame starts: drop what came with the bad one.
        Request bad{
            Request::Type::Malformed, channel, buffer_,
            QStringLiteral("code byte %1 on channel %2 is neither 0 nor 1").arg(code).arg(channel)};
        buffer_.clear();
        return bad;
    }
    if (buffer_.size() < 3)
        return std::nullopt;
    const int count = quint8(buffer_[2]) + 1;
    if (buffer_.size() < 3 + count)
        return std::nullopt;
    Request frame{code == 1 ? Request::Type::Command : Request::Type::Information,
                  channel,
                  buffer_.mid(3, count),
                  {}};
    buffer_.remove(0, 3 + count);
    return frame;
}

} // namespace krx::tncsim
