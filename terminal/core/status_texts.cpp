#include "terminal/core/status_texts.h"

#include "terminal/core/kunde_settings.h"
#include "terminal/core/port_framing.h"

namespace tarvex {

namespace StatusTexts {

QString connection(const KundeSettings& s)
{
    return QStringLiteral("COM ") + QString::number(s.com) + QStringLiteral("   ") + QString::number(s.baudrate)
        + QLatin1Char(',') + PortFraming::of(s).text() + QStringLiteral("   End = ") + QString::number(s.endzeichen);
}

QString receivedLinesToolTip(const KundeSettings& s)
{
    return QStringLiteral("Empfangene Zeilen (Anzeige max.") + QString::number(s.maxZeilen) + QStringLiteral(" Zeilen)");
}

QString captureToolTip(const KundeSettings& s)
{
    return QStringLiteral("Capture-Datei: ") + s.capDatei;
}

QString capture(const KundeSettings& s)
{
    return s.capture ? QStringLiteral("Capture") : QStringLiteral("No Capture");
}

} // namespace StatusTexts

} // namespace tarvex
