#include "tncsim/HostResponse.h"

namespace krx::tncsim::HostResponse {

namespace {

QByteArray head(int channel, int code) {
    QByteArray frame;
    frame.append(char(channel));
    frame.append(char(code));
    return frame;
}

} // namespace

QByteArray ok(int channel) {
    return head(channel, kOk);
}

QByteArray text(int channel, int code, const QByteArray &text) {
    // A zero byte ends the text on the wire, so the text itself cannot carry one.
    QByteArray clean = text;
    clean.replace('\0', ' ');
    return head(channel, code) + clean + '\0';
}

QByteArray data(int channel, int code, const QByteArray &data) {
    Q_ASSERT(!data.isEmpty() && data.size() <= kMaxData);
    return head(channel, code) + char(data.size() - 1) + data;
}

} // namespace krx::tncsim::HostResponse
