#include "terminal/AlertSounds.h"

#include "core/ProgramDirectory.h"
#include "core/SoundPlayer.h"

namespace krx {

bool AlertSounds::PlaySound(const QString &name) {
    return player_.play(directory_.resolve(name));
}

void AlertSounds::playFirstOf(const QString &preferred, const QString &fallback) {
    if (!PlaySound(preferred))
        PlaySound(fallback);
}

} // namespace krx
