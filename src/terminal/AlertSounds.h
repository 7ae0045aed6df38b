#pragma once

#include <QString>

namespace krx {

class ProgramDirectory;
class SoundPlayer;

// The alert sounds: WAV files in the program directory, played without waiting.
class AlertSounds {
public:
    AlertSounds(SoundPlayer &player, const ProgramDirectory &directory)
        : player_(player), directory_(directory) {}

    // True when the file exists and playing started; false means silence.
    bool PlaySound(const QString &name);
    // Plays the first sound, or the second when the first cannot be played.
    void playFirstOf(const QString &preferred, const QString &fallback);

private:
    SoundPlayer &player_;
    const ProgramDirectory &directory_;
};

} // namespace krx
