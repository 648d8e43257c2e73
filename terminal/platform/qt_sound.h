#pragma once

#include "terminal/platform/sound.h"

#include <QSoundEffect>

namespace tarvex {

// Sound through Qt's sound effect player (the system's audio output). Without an audio
// device the sound stays silent; nothing else is affected.
class QtSound : public Sound
{
public:
    bool play(const QString& path, bool loop = false) override;
    void stop() override;

private:
    QSoundEffect m_effect;
};

} // namespace tarvex
