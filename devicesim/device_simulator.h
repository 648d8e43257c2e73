#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A telephone system that prints call and charge records on its serial line and answers a
// few commands. It knows nothing about ports: bytes in, bytes out.
//
// Records: "dd.MM.yy hh:mm  NNN  number  hh:mm:ss  amount" ended by CR LF, or framed by
// STX ... ETX in ETX mode, where an ENQ precedes every tenth record and the device counts
// the ACKs it gets back.
// Commands (ended by CR): STATUS, GEB (send the next records now), TIME hh:mm:ss,
// DATE dd.mm.yy, AT... (modem style, answered "OK"); anything else gets "? " + command.
class DeviceSimulator
{
public:
    explicit DeviceSimulator(bool etxMode = false, quint32 seed = 1);

    // The next call record, framed for the line.
    QByteArray nextRecord(const QDateTime& now);
    // Bytes received from the terminal; returns the answer to send back (may be empty).
    QByteArray receive(const QByteArray& bytes, const QDateTime& now);

    int recordsSent() const { return m_records; }
    int acksReceived() const { return m_acks; }
    bool etxMode() const { return m_etx; }

private:
    QByteArray frame(const QByteArray& line) const;
    QByteArray command(const QByteArray& line, const QDateTime& now);
    quint32 random();

    bool m_etx;
    quint32 m_state;
    int m_records = 0;
    int m_acks = 0;
    QByteArray m_input;
};
