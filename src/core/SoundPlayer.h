#pragma once

#include <QString>

namespace krx {

// Plays WAV alerts without blocking.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing the file and answers at once: true when the file exists and is
    // readable (a file that will not decode then stays silent), false otherwise.
    virtual bool play(const QString &path) = 0;
};

} // namespace krx
