#include "tncsim/InProcessTransport.h"

#include "core/Clock.h"
#include "tncsim/Tnc.h"

namespace krx::tncsim {

InProcessTransport::InProcessTransport(Tnc &tnc, Clock &clock, QObject *parent)
    : Transport(parent), tnc_(tnc), timer_(clock.createTimer()) {
    timer_->onTimeout([this] { tick(); });
}

InProcessTransport::~InProcessTransport() = default;

void InProcessTransport::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active)
        timer_->start(valiaika);
    else
        timer_->stop();
}

void InProcessTransport::SendFrame(const QByteArray &frame) {
    if (!active_)
        return;
    if (answering_)
        tnc_.write(frame);
    else
        unread_ += frame;
}

void InProcessTransport::setAnswering(bool answering) {
    answering_ = answering;
    if (answering && !unread_.isEmpty())
        tnc_.write(std::exchange(unread_, {}));
}

QByteArray InProcessTransport::TakeResponse() {
    return std::exchange(received_, {});
}

void InProcessTransport::tick() {
    const QByteArray answer = tnc_.takeOutput();
    if (answer.isEmpty())
        return;
    received_ += answer;
    emit tulleet_merkit();
}

} // namespace krx::tncsim
