#pragma once

#include <QString>

namespace tarvex {

// Plays sound files (wave) without waiting for them. A missing file is not played.
class Sound
{
public:
    virtual ~Sound() = default;
    // Starts playing; with `loop` the sound repeats until stop(). False when the file is missing.
    virtual bool play(const QString& path, bool loop = false) = 0;
    virtual void stop() = 0;
};

} // namespace tarvex
