#pragma once

#include "transport/Transport.h"

#include <QByteArrayList>

namespace krx::test {

// A transport whose TNC is the test: it records the frames sent and delivers the bytes the
// test gives it at once.
class FakeTransport final : public Transport {
    Q_OBJECT
public:
    void SetActive(bool active) override { active_ = active; }
    bool isActive() const override { return active_; }
    void SendFrame(const QByteArray &frame) override { sent << frame; }
    QByteArray TakeResponse() override { return std::exchange(pending_, {}); }
    void hostModeConfirmed() override { hostModeConfirmedCalls++; }

    void deliver(const QByteArray &bytes) {
        pending_ += bytes;
        emit tulleet_merkit();
    }

    QByteArrayList sent;
    int hostModeConfirmedCalls = 0;

private:
    bool active_ = false;
    QByteArray pending_;
};

} // namespace krx::test
