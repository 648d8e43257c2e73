#pragma once

#include "terminal/platform/serial_port.h"

#include <QList>
#include <QStringList>

using namespace tarvex;

// An in-memory port: each read returns the next queued block; writes are collected.
class MemorySerialPort : public SerialPort
{
public:
    bool open(const SerialSettings& s, QString* error) override
    {
        events << QStringLiteral("open ") + s.device;
        if (failOpen) {
            if (error)
                *error = QStringLiteral("kein Gerät");
            return false;
        }
        settings = s;
        m_open = true;
        return true;
    }
    void close() override
    {
        events << QStringLiteral("close");
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    QByteArray readAvailable() override { return incoming.isEmpty() ? QByteArray() : incoming.takeFirst(); }
    bool write(const QByteArray& bytes) override
    {
        if (failWrite)
            return false;
        written += bytes;
        writes << bytes;
        return true;
    }
    void setDtr(bool on) override { events << (on ? QStringLiteral("dtr+") : QStringLiteral("dtr-")); }
    void setRts(bool on) override { events << (on ? QStringLiteral("rts+") : QStringLiteral("rts-")); }
    void clearBuffers() override { events << QStringLiteral("clear"); }
    bool lost() const override { return m_open && gone && incoming.isEmpty(); }

    bool failOpen = false;
    bool failWrite = false;
    bool gone = false; // the device disappears once the queued blocks are read
    SerialSettings settings;
    QList<QByteArray> incoming;
    QByteArray written;
    QList<QByteArray> writes;
    QStringList events;

private:
    bool m_open = false;
};
