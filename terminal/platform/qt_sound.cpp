#include "terminal/platform/qt_sound.h"

#include <QFileInfo>
#include <QUrl>

namespace tarvex {

bool QtSound::play(const QString& path, bool loop)
{
    if (!QFileInfo(path).isFile())
        return false;
    m_effect.stop();
    m_effect.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    m_effect.setLoopCount(loop ? QSoundEffect::Infinite : 1);
    m_effect.play();
    return true;
}

void QtSound::stop()
{
    m_effect.stop();
}

} // namespace tarvex
