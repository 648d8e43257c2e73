#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A telephone system that prints call and charge records on its serial line, answers a few
// commands and behaves like a Hayes modem. It knows nothing about ports: bytes in, bytes out.
//
// A record is a pipe record
//   |dd.mm.yyyy hh:mm:ss|participant|business amount|private amount|number|duration|units|amount|
// (amounts with "." as decimal point), ended by the chosen line end, or framed by STX ... ETX
// in ETX mode, where an ENQ poll precedes every tenth record.
// Commands (ended by CR or LF) are echoed, then answered: STATUS, GEB (three records now),
// TIME ..., DATE ..., RING (an incoming call), AT... (OK), ATD... (CONNECT), ATA (CONNECT),
// +++ followed by ATH (NO CARRIER), ANSI (the colourful console screen below); a dial command whose number ends in 666 gets BUSY, one
// ending in 000 NO DIALTONE (the line stays in command mode); anything else gets "? " + command. An ENQ from the
// terminal is answered with ACK; ACKs are counted.
class DeviceSimulator
{
public:
    enum class LineEnd { CrLf, Cr, Lf, Etx };

    explicit DeviceSimulator(LineEnd end = LineEnd::CrLf, quint32 seed = 1);

    static bool parseLineEnd(const QString& text, LineEnd* end);

    // The next call record, framed for the line.
    QByteArray nextRecord(const QDateTime& now);
    // A dial string ending in these digits finds the line busy, or no dial tone.
    static constexpr const char* kBusyNumber = "666";
    static constexpr const char* kNoDialToneNumber = "000";

    // An incoming call rings while the modem is not online; empty while it is.
    QByteArray ring() const;
    // The device's console screen for an 80×25 ANSI terminal: a title bar, a box of
    // extensions in the line-drawing set with coloured states, colour bars, the attributes
    // and a status line with the time.
    static QByteArray ansiScreen(const QDateTime& now);
    // Bytes received from the terminal; returns what the device sends back (may be empty).
    QByteArray receive(const QByteArray& bytes, const QDateTime& now);

    int recordsSent() const { return m_records; }
    int acksReceived() const { return m_acks; }
    bool online() const { return m_online; }

private:
    QByteArray frame(const QByteArray& line) const;
    QByteArray command(const QByteArray& line, const QDateTime& now);
    quint32 random();

    LineEnd m_end;
    quint32 m_state;
    int m_records = 0;
    int m_acks = 0;
    bool m_online = false;
    bool m_escaped = false;
    QByteArray m_input;
};
