#include "terminal/core/port_framing.h"

#include "terminal/core/kunde_settings.h"

namespace tarvex {

PortFraming PortFraming::of(const KundeSettings& s)
{
    // Parameter holds the parity letter, or the whole framing ("n,8,1").
    const QString p = s.parameter.trimmed();
    PortFraming f{p.isEmpty() ? QLatin1Char('n') : p.at(0).toLower(), s.bitrate, s.stopbit};
    if (f.dataBits != 7 && f.dataBits != 8)
        f.dataBits = p.size() >= 3 && p.at(2) == QLatin1Char('7') ? 7 : 8;
    if (f.stopBits != 1 && f.stopBits != 2)
        f.stopBits = p.size() >= 5 && p.at(4) == QLatin1Char('2') ? 2 : 1;
    return f;
}

QString PortFraming::text() const
{
    return QString(parity) + QLatin1Char(',') + QString::number(dataBits) + QLatin1Char(',') + QString::number(stopBits);
}

} // namespace tarvex
