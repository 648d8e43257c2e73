#include "devicesim/device_simulator.h"

namespace {

QByteArray amount(int cents)
{
    return QByteArray::number(cents / 100) + "." + QByteArray::number(cents % 100).rightJustified(2, '0');
}

} // namespace

DeviceSimulator::DeviceSimulator(LineEnd end, quint32 seed)
    : m_end(end), m_state(seed ? seed : 1)
{
}

bool DeviceSimulator::parseLineEnd(const QString& text, LineEnd* end)
{
    const QString t = text.toLower();
    if (t == QLatin1String("crlf"))
        *end = LineEnd::CrLf;
    else if (t == QLatin1String("cr"))
        *end = LineEnd::Cr;
    else if (t == QLatin1String("lf"))
        *end = LineEnd::Lf;
    else if (t == QLatin1String("etx"))
        *end = LineEnd::Etx;
    else
        return false;
    return true;
}

quint32 DeviceSimulator::random()
{
    // xorshift: the same seed gives the same records
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

QByteArray DeviceSimulator::frame(const QByteArray& line) const
{
    switch (m_end) {
    case LineEnd::CrLf: return line + "\r\n";
    case LineEnd::Cr: return line + "\r";
    case LineEnd::Lf: return line + "\n";
    case LineEnd::Etx: return "\x02" + line + "\x03";
    }
    return line;
}

QByteArray DeviceSimulator::nextRecord(const QDateTime& now)
{
    ++m_records;
    const int participant = 20 + int(random() % 40);
    const QByteArray number = "0" + QByteArray::number(30 + random() % 60) + QByteArray::number(1000000 + random() % 8999999);
    const int seconds = 5 + int(random() % 1800);
    const int units = 1 + seconds / 90;
    const int cents = 6 * units;
    const bool privateCall = random() % 4 == 0;
    const QByteArray line = "|" + now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")).toLatin1() + "|"
        + QByteArray::number(participant) + "|" + amount(privateCall ? 0 : cents) + "|"
        + amount(privateCall ? cents : 0) + "|" + number + "|"
        + QTime(0, 0).addSecs(seconds).toString(QStringLiteral("hh:mm:ss")).toLatin1() + "|"
        + QByteArray::number(units) + "|" + amount(cents) + "|";
    QByteArray out;
    if (m_end == LineEnd::Etx && m_records % 10 == 1)
        out += '\x05';
    return out + frame(line);
}

QByteArray DeviceSimulator::command(const QByteArray& raw, const QDateTime& now)
{
    const QByteArray line = raw.trimmed();
    if (line.isEmpty())
        return QByteArray();
    const QByteArray upper = line.toUpper();
    QByteArray out = frame(line); // every command is echoed first
    if (upper.startsWith("AT")) {
        // A dial command may follow other settings in the same line ("ATX3DT0W…"); "&D" is
        // the DTR setting, not a dial.
        bool dial = false;
        for (qsizetype i = 2; i < upper.size() && !dial; ++i)
            dial = upper[i] == 'D' && upper[i - 1] != '&';
        if (dial && upper.endsWith(kBusyNumber)) {
            out += "BUSY\r\n";
        } else if (dial && upper.endsWith(kNoDialToneNumber)) {
            out += "NO DIALTONE\r\n";
        } else if (dial || upper == "ATA") {
            m_online = true;
            out += "CONNECT 9600\r\n";
        } else if (upper.startsWith("ATH") && (m_escaped || !m_online)) {
            m_online = false;
            m_escaped = false;
            out += "NO CARRIER\r\n";
        } else {
            out += "OK\r\n";
        }
        return out;
    }
    if (upper == "STATUS")
        return out + frame("STATUS: BEREIT, " + QByteArray::number(m_records) + " Datensaetze gesendet, "
                           + QByteArray::number(m_acks) + " quittiert");
    if (upper == "GEB") {
        for (int i = 0; i < 3; ++i)
            out += nextRecord(now);
        return out;
    }
    if (upper == "RING")
        return out + "RING\r\n";
    if (upper == "ANSI")
        return out + ansiScreen(now);
    if (upper.startsWith("TIME ") || upper.startsWith("DATE "))
        return out + frame(upper.left(4) + " OK " + line.mid(5));
    return out + frame("? " + line);
}

QByteArray DeviceSimulator::ring() const
{
    return m_online ? QByteArray() : QByteArray("RING\r\n");
}

QByteArray DeviceSimulator::receive(const QByteArray& bytes, const QDateTime& now)
{
    QByteArray answer;
    for (char c : bytes) {
        if (c == '\x06') {
            ++m_acks;
        } else if (c == '\x05') {
            answer += '\x06';
        } else if (c == '\r' || c == '\n') {
            answer += command(m_input, now);
            m_input.clear();
        } else if (m_input.size() < 4096) {
            m_input.append(c);
            if (m_input.endsWith("+++")) {
                // Escape to command mode; the modem confirms at once.
                m_input.chop(3);
                m_escaped = true;
                answer += "OK\r\n";
            }
        }
    }
    return answer;
}

QByteArray DeviceSimulator::ansiScreen(const QDateTime& now)
{
    const auto at = [](int row, int column) {
        return "\x1b[" + QByteArray::number(row) + ';' + QByteArray::number(column) + 'H';
    };
    QByteArray out = "\x1b[0m\x1b[2J\x1b[H";
    // Bars: the colour first, then the whole row erased in it, then the text.
    out += "\x1b[1;37;44m\x1b[2K Anlage 4000 - Konsole" + at(1, 62)
        + now.toString(QStringLiteral("dd.MM.yyyy hh:mm")).toLatin1() + "\x1b[0m";
    // The box of extensions, drawn in the line-drawing set.
    out += at(3, 3) + "\x1b(0l" + QByteArray(36, 'q') + "k\x1b(B";
    out += at(3, 5) + "\x1b[1m Nebenstellen \x1b[0m";
    struct Line { const char* number; const char* name; const char* colour; const char* state; };
    const Line lines[] = {
        {"21", "Empfang", "32", "frei"},      {"22", "Buchhaltung", "31", "belegt"},
        {"23", "Lager", "33", "Umleitung"},   {"24", "Werkstatt", "32", "frei"},
        {"25", "Leitung", "35", "nicht stoeren"}, {"26", "Besprechung", "36", "Konferenz"},
    };
    int row = 4;
    for (const Line& l : lines) {
        out += at(row, 3) + "\x1b(0x\x1b(B " + l.number + "  " + l.name;
        out += at(row, 26) + "\x1b[1;" + l.colour + 'm' + l.state + "\x1b[0m";
        out += at(row, 40) + "\x1b(0x\x1b(B";
        ++row;
    }
    out += at(row, 3) + "\x1b(0m" + QByteArray(36, 'q') + "j\x1b(B";
    // Colour bars: the eight colours, normal and bright, and 256-colour shades.
    out += at(13, 3) + "Farben: ";
    for (int c = 0; c < 8; ++c)
        out += "\x1b[4" + QByteArray::number(c) + "m   ";
    out += "\x1b[0m" + at(14, 11);
    for (int c = 0; c < 8; ++c)
        out += "\x1b[10" + QByteArray::number(c) + "m   ";
    out += "\x1b[0m" + at(15, 11);
    for (int c = 0; c < 24; ++c)
        out += "\x1b[48;5;" + QByteArray::number(232 + c) + "m ";
    out += "\x1b[0m";
    out += at(17, 3) + "\x1b[1mfett\x1b[0m  \x1b[4munterstrichen\x1b[0m  \x1b[7minvers\x1b[0m  "
        + "\x1b[5mblinkend\x1b[0m  \x1b[1;4;93;41m alles \x1b[0m";
    out += at(20, 3) + "\x1b[1;32mBEREIT\x1b[0m  Befehl eingeben (STATUS, GEB, ANSI):";
    out += at(25, 1) + "\x1b[30;47m\x1b[2K F1 Hilfe  F2 Liste  F3 Status  F4 Ende" + at(25, 66)
        + "\x1b[1mStatus: \x1b[32mOK\x1b[0m";
    out += at(21, 3) + "> ";
    return out;
}
