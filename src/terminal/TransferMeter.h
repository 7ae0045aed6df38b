#pragma once

#include "core/Language.h"

#include <QObject>
#include <QString>
#include <memory>

namespace krx {

class Clock;
class Timer;

// The transfer meter of a channel: size so far and the speed, refreshed every half second
// while a file or message moves.
class TransferMeter : public QObject {
    Q_OBJECT
public:
    static constexpr int tickMs = 500; // Tmr_cps

    TransferMeter(Clock &clock, Language language, QObject *parent = nullptr);
    ~TransferMeter() override;

    void OpenMeter(const QString &caption, int maximum);
    void StepMeter(int position);
    void CloseMeter();

    bool isOpen() const { return open_; }
    QString caption() const { return caption_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    QString sizeText() const;
    QString speedText() const;

signals:
    void changed();

private:
    void tick();

    Language language_;
    std::unique_ptr<Timer> cpsTimer_;
    bool open_ = false;
    QString caption_;
    int maximum_ = 0;
    int position_ = 0;
    int ticks_ = 0;
    int speed_ = 0;
};

} // namespace krx
