#include "terminal/core/ui/lamp_images.h"

#include <QResource>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initLampResources()
{
    Q_INIT_RESOURCE(lamps);
}

namespace tarvex {

QString LampImages::resourceName(LampImage which)
{
    switch (which) {
    case LampImage::Gelb: return QStringLiteral(":/Knopf_ge");
    case LampImage::Gruen: return QStringLiteral(":/Knopf_gn");
    case LampImage::GruenDunkel: return QStringLiteral(":/Knopf_gn_dk");
    case LampImage::Blau: return QStringLiteral(":/Knopf_bl");
    case LampImage::BlauDunkel: return QStringLiteral(":/Knopf_bl_dk");
    case LampImage::Rot: return QStringLiteral(":/Knopf_rt");
    }
    return QString();
}

LampImages::LampImages()
{
    initLampResources();
    for (int i = 0; i < 6; ++i)
        m_images.at(std::size_t(i)) = QPixmap(resourceName(LampImage(i)));
}

} // namespace tarvex
