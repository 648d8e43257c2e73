#include "devicesim/device_simulator.h"

DeviceSimulator::DeviceSimulator(bool etxMode, quint32 seed)
    : m_etx(etxMode), m_state(seed ? seed : 1)
{
}

quint32 DeviceSimulator::random()
{
    // xorshift: repeatable records for the same seed
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

QByteArray DeviceSimulator::frame(const QByteArray& line) const
{
    if (m_etx)
        return "\x02" + line + "\x03";
    return line + "\r\n";
}

QByteArray DeviceSimulator::nextRecord(const QDateTime& now)
{
    ++m_records;
    const int participant = 20 + int(random() % 40);
    const QByteArray number = "0" + QByteArray::number(30 + random() % 60) + QByteArray::number(1000000 + random() % 8999999);
    const int seconds = int(random() % 1800);
    const int cents = 6 + seconds / 10 + int(random() % 20);
    const QByteArray line = now.toString(QStringLiteral("dd.MM.yy hh:mm")).toLatin1() + "  "
        + QByteArray::number(participant).rightJustified(3, '0') + "  " + number.leftJustified(12, ' ') + "  "
        + QTime(0, 0).addSecs(seconds).toString(QStringLiteral("hh:mm:ss")).toLatin1() + "  "
        + (QByteArray::number(cents / 100) + "," + QByteArray::number(cents % 100).rightJustified(2, '0')).rightJustified(7, ' ');
    QByteArray out;
    if (m_etx && m_records % 10 == 1)
        out += '\x05';
    return out + frame(line);
}

QByteArray DeviceSimulator::command(const QByteArray& raw, const QDateTime& now)
{
    const QByteArray line = raw.trimmed();
    if (line.isEmpty())
        return QByteArray();
    const QByteArray upper = line.toUpper();
    if (upper == "STATUS")
        return frame("STATUS: BEREIT, " + QByteArray::number(m_records) + " Datensaetze gesendet, "
                     + QByteArray::number(m_acks) + " quittiert");
    if (upper == "GEB") {
        QByteArray out;
        for (int i = 0; i < 3; ++i)
            out += nextRecord(now);
        return out;
    }
    if (upper.startsWith("TIME ") || upper.startsWith("DATE "))
        return frame(upper.left(4) + " OK " + line.mid(5));
    if (upper.startsWith("AT"))
        return "OK\r\n";
    return frame("? " + line);
}

QByteArray DeviceSimulator::receive(const QByteArray& bytes, const QDateTime& now)
{
    QByteArray answer;
    for (char c : bytes) {
        if (c == '\x06') {
            ++m_acks;
        } else if (c == '\r' || c == '\n') {
            answer += command(m_input, now);
            m_input.clear();
        } else if (m_input.size() < 4096) {
            m_input.append(c);
        }
    }
    return answer;
}
