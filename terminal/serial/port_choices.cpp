#include "terminal/serial/port_choices.h"

#include "shared/number_text.h"
#include "terminal/core/kunde_settings.h"
#include "terminal/serial/serial_line.h"

namespace tarvex {

const QList<int>& PortChoices::baudRates()
{
    static const QList<int> rates = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200, 230400};
    return rates;
}

const QStringList& PortChoices::framings()
{
    static const QStringList f = {"n,8,1", "n,8,2", "n,7,1", "n,7,2", "e,8,1", "e,7,1",
                                  "e,8,2", "e,7,2", "o,8,1", "o,7,1", "o,8,2", "o,7,2"};
    return f;
}

const QStringList& PortChoices::protocols()
{
    static const QStringList p = {QStringLiteral("Kein Protokoll"), QStringLiteral("Hardware (Handshake)"),
                                  QStringLiteral("Software (Xon/Xoff)")};
    return p;
}

QStringList PortChoices::portNames()
{
    QStringList names;
    for (int i = 1; i <= 20; ++i)
        names << QStringLiteral("COM%1").arg(i);
    return names;
}

int PortChoices::portFromText(const QString& text)
{
    const qsizetype at = text.indexOf(QLatin1String("COM"), 0, Qt::CaseInsensitive);
    return at < 0 ? 0 : leadingInt(QStringView(text).mid(at + 3));
}

void PortChoices::applyFraming(const QString& framing, KundeSettings& s)
{
    if (framing.size() < 5)
        return;
    s.parameter = framing.left(1);
    s.bitrate = framing.mid(2, 1).toInt();
    s.stopbit = framing.mid(4, 1).toInt();
}

const QStringList& PortChoices::endCharacterItems()
{
    static const QStringList items = {
        QStringLiteral("00 Automatisch"), QStringLiteral("03 ETX Acom"), QStringLiteral("07 Beep"),
        QStringLiteral("09 Tabulator"),   QStringLiteral("10 LineFeed"), QStringLiteral("13 Return"),
        QStringLiteral("59 Semikolon")};
    return items;
}

int PortChoices::endCharacterFromItem(const QString& item)
{
    return leadingInt(item.left(2));
}

QString PortChoices::parameterSetName(const KundeSettings& s)
{
    const PortFraming f = PortFraming::of(s);
    return QStringLiteral("Seriell ") + QString::number(s.com) + QLatin1Char(' ') + QString::number(s.baudrate)
        + QLatin1Char(',') + f.parity + QString::number(f.dataBits) + QLatin1Char(',') + QString::number(f.stopBits)
        + QStringLiteral("  mit Endzeichen ") + QStringLiteral("%1").arg(s.endzeichen, 2, 10, QLatin1Char('0'))
        + QStringLiteral(".def");
}

} // namespace tarvex
