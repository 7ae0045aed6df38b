#pragma once

#include "transport/Transport.h"

#include <memory>

namespace krx {
class Clock;
class Timer;
} // namespace krx

namespace krx::tncsim {

class Tnc;

// The simulator as a transport inside the test process: a frame goes to the TNC at once,
// its answer is handed on at the next tick (every `valiaika` ms of the clock's time), as a
// socket transport hands on what arrived since its last poll.
class InProcessTransport final : public Transport {
    Q_OBJECT
public:
    InProcessTransport(Tnc &tnc, Clock &clock, QObject *parent = nullptr);
    ~InProcessTransport() override;

    // Opening starts the tick with the current `valiaika`.
    void SetActive(bool active) override;
    bool isActive() const override { return active_; }
    // Frames sent while closed are dropped, as on a closed line.
    void SendFrame(const QByteArray &frame) override;
    QByteArray TakeResponse() override;
    // A TNC that stops answering: while off, frames wait unread; when answering resumes
    // the TNC reads them, so its answers come late.
    void setAnswering(bool answering);

private:
    void tick();

    Tnc &tnc_;
    std::unique_ptr<Timer> timer_;
    bool active_ = false;
    bool answering_ = true;
    QByteArray unread_;
    QByteArray received_;
};

} // namespace krx::tncsim
