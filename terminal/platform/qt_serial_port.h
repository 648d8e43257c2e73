#pragma once

#include "terminal/platform/serial_port.h"

#include <QSerialPort>

namespace tarvex {

class QtSerialPort : public SerialPort
{
public:
    bool open(const SerialSettings& settings, QString* error) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QByteArray readAvailable() override;
    bool write(const QByteArray& bytes) override;
    void setDtr(bool on) override;
    void setRts(bool on) override;
    void clearBuffers() override;
    bool lost() const override;

private:
    QSerialPort m_port;
};

} // namespace tarvex
