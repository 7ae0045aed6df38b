#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace krx::tncsim {

// Cuts the byte stream from the host into requests: text lines while the TNC is in
// terminal mode, frames (channel, code byte, count - 1, data) in host mode.
class HostFrameReader {
public:
    struct Request {
        enum class Type { TerminalLine, Command, Information, Malformed };
        Type type = Type::Malformed;
        int channel = 0;
        QByteArray bytes; // line without CR, command text or information data
        QString problem;  // why a request is malformed
    };

    void append(const QByteArray &bytes);
    // The next complete request, or nothing while more bytes are needed.
    std::optional<Request> next(bool hostMode);
    bool hasBufferedBytes() const { return !buffer_.isEmpty(); }
    void clear() { buffer_.clear(); }

    // Terminal-mode input longer than this without a CR is garbage, not a command line.
    static constexpr int kMaxTerminalLine = 256;

private:
    std::optional<Request> nextLine();
    std::optional<Request> nextFrame();

    QByteArray buffer_;
};

} // namespace krx::tncsim
