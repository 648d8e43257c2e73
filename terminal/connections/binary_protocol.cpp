#include "terminal/connections/binary_protocol.h"

#include <QRegularExpression>

#include <cmath>

namespace tarvex::binary {

namespace {

bool isMarkerByte(char c)
{
    return static_cast<unsigned char>(c) >= 0xFA;
}

// The second byte of a marker: 01, or 02 in the markers of the escaped protocol.
bool isMarkerMiddle(char c)
{
    return c == '\x01' || c == '\x02';
}

} // namespace

QByteArray EscapeEncoder::encode(const QByteArray& data)
{
    QByteArray out;
    out.reserve(data.size() + data.size() / 64 + 1);
    for (char c : data) {
        out.append(c);
        if (m_afterMarkerByte && isMarkerMiddle(c))
            out.append('\0');
        m_afterMarkerByte = isMarkerByte(c);
    }
    return out;
}

QByteArray EscapeDecoder::decode(const QByteArray& data)
{
    QByteArray out;
    out.reserve(data.size());
    for (char c : data) {
        if (m_dropZero) {
            m_dropZero = false;
            if (c == '\0') {
                m_afterMarkerByte = false;
                continue;
            }
            // A sender that escapes always puts the 00 here; anything else is kept as data.
        }
        out.append(c);
        m_dropZero = m_afterMarkerByte && isMarkerMiddle(c);
        m_afterMarkerByte = isMarkerByte(c);
    }
    return out;
}

QString kiloText(qint64 bytes)
{
    QString text = QString::number(bytes / 1000);
    const qint64 rest = bytes % 1000;
    if (rest == 0)
        return text;
    QString fraction = QStringLiteral("%1").arg(rest, 3, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return text + QLatin1Char('.') + fraction;
}

QString sendEntry(const QString& path, qint64 bytes)
{
    return path + QStringLiteral(" (") + kiloText(bytes) + QLatin1Char(')');
}

QString entryPath(const QString& entry)
{
    const qsizetype bracket = entry.lastIndexOf(QLatin1Char('('));
    return (bracket < 0 ? entry : entry.left(bracket)).trimmed();
}

std::optional<QString> safeFileName(const QString& sentPath)
{
    QString name = sentPath;
    for (QChar separator : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')}) {
        const qsizetype p = name.lastIndexOf(separator);
        if (p >= 0)
            name = name.mid(p + 1);
    }
    name = name.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return std::nullopt;
    for (QChar c : std::as_const(name)) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return std::nullopt;
    }
    // Windows opens the device instead of a file for these, whatever the extension.
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        return std::nullopt;
    return name;
}

Header parseHeader(const QString& text)
{
    Header h;
    const qsizetype bracket = text.lastIndexOf(QLatin1Char('('));
    h.sentPath = (bracket < 0 ? text : text.left(bracket)).trimmed();
    if (bracket < 0) {
        h.refusal = QStringLiteral("ohne Größenangabe");
        return h;
    }
    QString sizeText = text.mid(bracket + 1);
    const qsizetype close = sizeText.indexOf(QLatin1Char(')'));
    if (close >= 0)
        sizeText.truncate(close);
    sizeText = sizeText.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double kilo = sizeText.toDouble(&ok);
    if (!ok || !std::isfinite(kilo) || kilo < 0 || kilo > 9.0e12) {
        h.refusal = QStringLiteral("Größe unlesbar");
        return h;
    }
    h.size = qint64(std::llround(kilo * 1000.0));
    const std::optional<QString> name = safeFileName(h.sentPath);
    if (!name) {
        h.refusal = QStringLiteral("unzulässiger Dateiname");
        return h;
    }
    h.name = *name;
    return h;
}

} // namespace tarvex::binary
