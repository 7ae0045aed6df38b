#include "terminal/TransferMeter.h"

#include "core/Clock.h"
#include "terminal/TerminalTexts.h"

namespace krx {

TransferMeter::TransferMeter(Clock &clock, Language language, QObject *parent)
    : QObject(parent), language_(language), cpsTimer_(clock.createTimer()) {
    cpsTimer_->setInterval(tickMs);
    cpsTimer_->onTimeout([this] { tick(); });
}

TransferMeter::~TransferMeter() = default;

void TransferMeter::OpenMeter(const QString &caption, int maximum) {
    caption_ = caption;
    maximum_ = maximum;
    position_ = 0;
    ticks_ = 0;
    speed_ = 0;
    open_ = true;
    cpsTimer_->start();
    emit changed();
}

void TransferMeter::StepMeter(int position) {
    position_ = position;
    emit changed();
}

void TransferMeter::CloseMeter() {
    cpsTimer_->stop();
    open_ = false;
    emit changed();
}

QString TransferMeter::sizeText() const {
    return terminaltexts::meterSize.in(language_).arg(position_);
}

QString TransferMeter::speedText() const {
    return terminaltexts::meterSpeed.in(language_).arg(speed_);
}

void TransferMeter::tick() {
    ++ticks_;
    // Two ticks make a second.
    speed_ = position_ / ticks_ * 2;
    emit changed();
}

} // namespace krx
