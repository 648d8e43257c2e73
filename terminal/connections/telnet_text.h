#pragma once

#include <QByteArray>
#include <QString>

namespace tarvex {

// Turns the bytes of the telnet client into display text, one read after the other:
// Windows-1252, CR LF / CR / LF each one line break (a CR LF split between two reads too),
// other control characters (NUL included) as their visible symbols, and a line that runs
// longer than kLineLimit characters continues on a new display line, so a client that
// never sends a line break cannot grow one endless line.
class TelnetText
{
public:
    static constexpr int kLineLimit = 1024;

    QString decode(const QByteArray& bytes);
    void reset();

    // The bytes a typed character sends: its Windows-1252 byte; Enter (CR) sends CR LF.
    static QByteArray keyBytes(const QString& typed);

private:
    bool m_afterCr = false;
    int m_column = 0;
};

} // namespace tarvex
