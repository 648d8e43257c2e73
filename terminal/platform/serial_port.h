#pragma once

#include <QByteArray>
#include <QString>

namespace tarvex {

// Framing of a serial line.
struct SerialSettings
{
    QString device;     // "COM1" on Windows, a device path elsewhere
    int baudRate = 9600;
    char parity = 'n';  // n, e, o
    int dataBits = 8;
    int stopBits = 1;
    bool xonXoff = false;
};

// One serial port. Reading returns what has arrived and never waits; writes wait at most
// the write time-out. Ports that refuse DTR or RTS (pseudo-terminals) are not an error.
class SerialPort
{
public:
    virtual ~SerialPort() = default;
    // Opens the port; on failure returns false with the system's reason in *error.
    virtual bool open(const SerialSettings& settings, QString* error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QByteArray readAvailable() = 0;
    // Writes all bytes; false when they could not be written in time.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual void setDtr(bool on) = 0;
    virtual void setRts(bool on) = 0;
    virtual void clearBuffers() = 0;
    // The device went away while open (unplugged adapter, closed peer).
    virtual bool lost() const = 0;
};

} // namespace tarvex
