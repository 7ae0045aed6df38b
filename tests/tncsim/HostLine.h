#pragma once

#include "tncsim/Tnc.h"

#include <QByteArrayList>

namespace krx::test {

inline QByteArray hostFrame(int channel, int code, const QByteArray &payload) {
    return QByteArray(1, char(channel)) + char(code) + char(payload.size() - 1) + payload;
}
inline QByteArray commandFrame(int channel, const QByteArray &text) {
    return hostFrame(channel, 1, text);
}
inline QByteArray informationFrame(int channel, const QByteArray &data) {
    return hostFrame(channel, 0, data);
}
inline QByteArray textAnswer(int channel, int code, const QByteArray &text) {
    return QByteArray(1, char(channel)) + char(code) + text + '\0';
}
inline QByteArray dataAnswer(int channel, int code, const QByteArray &data) {
    return QByteArray(1, char(channel)) + char(code) + char(data.size() - 1) + data;
}
inline QByteArray okAnswer(int channel) {
    return QByteArray(1, char(channel)) + '\0';
}

// Drives a simulated TNC as a well-behaved host: one request, then its answer.
class HostLine {
public:
    explicit HostLine(tncsim::Tnc &tnc) : tnc_(tnc) {}

    QByteArray send(const QByteArray &bytes) {
        tnc_.write(bytes);
        return tnc_.takeOutput();
    }
    QByteArray enterHostMode() { return send(QByteArray("\x18\x1bjhost1\r")); }
    QByteArray command(int channel, const QByteArray &text) {
        return send(commandFrame(channel, text));
    }
    QByteArray information(int channel, const QByteArray &data) {
        return send(informationFrame(channel, data));
    }
    // G polls until the channel has nothing more (code 0); every answer before that.
    QByteArrayList pollAll(int channel) {
        QByteArrayList answers;
        for (int polls = 0; polls < 1000; ++polls) {
            const QByteArray answer = command(channel, "G");
            if (answer == okAnswer(channel))
                break;
            answers << answer;
        }
        return answers;
    }

private:
    tncsim::Tnc &tnc_;
};

} // namespace krx::test
