#include "terminal/platform/qt_serial_port.h"

namespace tarvex {

bool QtSerialPort::open(const SerialSettings& s, QString* error)
{
    if (m_port.isOpen())
        m_port.close();
    // A device that vanished left its error behind; a reopened port starts without it.
    m_port.clearError();
    m_port.setPortName(s.device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = m_port.errorString();
        return false;
    }
    QSerialPort::Parity parity = QSerialPort::NoParity;
    if (s.parity == 'e' || s.parity == 'E')
        parity = QSerialPort::EvenParity;
    else if (s.parity == 'o' || s.parity == 'O')
        parity = QSerialPort::OddParity;
    const bool ok = m_port.setBaudRate(s.baudRate) && m_port.setParity(parity)
        && m_port.setDataBits(s.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8)
        && m_port.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop)
        && m_port.setFlowControl(s.xonXoff ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
    if (!ok) {
        if (error)
            *error = m_port.errorString();
        m_port.close();
        return false;
    }
    return true;
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

QByteArray QtSerialPort::readAvailable()
{
    if (!m_port.isOpen())
        return QByteArray();
    // Let the port pick up bytes that arrived since the last event loop pass.
    if (m_port.bytesAvailable() == 0)
        m_port.waitForReadyRead(0);
    return m_port.readAll();
}

bool QtSerialPort::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return false;
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Write time-out: 10 ms per character plus 10 ms.
    const int timeout = 10 + 10 * int(qMin<qsizetype>(bytes.size(), 100000));
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(timeout))
            return false;
    }
    return true;
}

void QtSerialPort::setDtr(bool on)
{
    if (m_port.isOpen())
        m_port.setDataTerminalReady(on); // refused by pseudo-terminals; that is fine
}

void QtSerialPort::setRts(bool on)
{
    if (m_port.isOpen() && m_port.flowControl() != QSerialPort::HardwareControl)
        m_port.setRequestToSend(on);
}

void QtSerialPort::clearBuffers()
{
    if (m_port.isOpen())
        m_port.clear();
}

bool QtSerialPort::lost() const
{
    // A vanished device shows as a resource error (unplugged adapter) or as a read error
    // (a pseudo-terminal whose other side closed).
    return m_port.isOpen()
        && (m_port.error() == QSerialPort::ResourceError || m_port.error() == QSerialPort::ReadError);
}

} // namespace tarvex
