#include "terminal/core/character_info.h"

#include "shared/cp1252.h"
#include "shared/daten_pipe.h"

namespace tarvex {

namespace {

const char* const kCharacterNames[33] = {
    "NUL (Null Prompt)", "SOH (Start of heading)", "STX (Start of Text)", "ETX (End of Text)",
    "EOT (End of transmission)", "ENQ (Enqiry)", "ACK (Acknowledge)", "BEL (Bell)", "BS  (Backspace)",
    "HT  (Horizontal Tab)", "LF  (LineFeed)", "VT  (Vertical Tab)", "FF  (Form Feed)", "CR  (Carriage Return)",
    "SO  (Shift Out)", "SI  (Shift In)", "DLE (Data link Escape)", "DC1 (X-On)", "DC2 (X-On)", "DC3 (X-Off)",
    "DC4 (X-Off)", "NAK (No Acknowledge)", "SYN (Synchronous idle)", "ETB (End transmission blocks)",
    "CAN (Cancel)", "EM  (End of Medium)", "SUB (Substitute)", "ESC (Escape)", "FS  (File Separator)",
    "GS  (Group Separator)", "RS  (Record Seperator)", "US  (Unit Seperator)", "BLA (Blank)"};

} // namespace

namespace CharacterInfo {

QString Steuerzeichen(int code, const QString& controlCharList)
{
    // Asked for every received line and every sent character: the list is walked in place.
    const QString key = QStringLiteral("%1 ").arg(code, 3, 10, QLatin1Char('0'));
    for (const QStringView field : pipeInside(controlCharList).tokenize(QLatin1Char('|'))) {
        if (field.startsWith(key))
            return QLatin1Char('<') + field.mid(4).toString().remove(QLatin1Char(' ')) + QLatin1Char('>');
    }
    return QString();
}

QString characterName(int code)
{
    if (code >= 0 && code <= 32)
        return QString::fromUtf8(kCharacterNames[code]);
    return Cp1252::decode(QByteArray(1, char(code)));
}

QString ZeichenAnalyse(const QString& selection)
{
    if (selection.isEmpty())
        return QStringLiteral("Markieren Sie\r\nerst ein\r\nZeichen.");
    const QChar c = selection.at(0);
    const int code = Cp1252::fromUnicode(c);
    const QString name = code <= 32 ? characterName(code) : QString(c);
    return QStringLiteral("Ascii: %1\r\nHEX  : %2\r\nText : %3")
        .arg(code, 3, 10, QLatin1Char('0'))
        .arg(QString::number(code, 16).toUpper())
        .arg(name);
}

} // namespace CharacterInfo

} // namespace tarvex
