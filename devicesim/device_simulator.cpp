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
