#pragma once

#include "core/SoundPlayer.h"

#include <QObject>
#include <memory>
#include <vector>

class QSoundEffect;

namespace krx {

// WAV playback through QSoundEffect, which stays silent (warnings only) on a machine
// without an audio device.
class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject *parent = nullptr);
    ~QtSoundPlayer() override;

    bool play(const QString &path) override;

private:
    void release(QSoundEffect *effect);

    std::vector<QSoundEffect *> playing_;
};

} // namespace krx
