#pragma once

#include <QFile>
#include <QString>
#include <QTest>

#include <csignal>

// Whether the process catches the signal yet (Linux: the SigCgt mask of /proc/PID/status),
// so that a test sends its signal only once the program's handler is in place.
inline bool catchesSignal(qint64 pid, int signalNumber)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:"))
            continue;
        bool ok = false;
        const quint64 mask = line.mid(7).trimmed().toULongLong(&ok, 16);
        return ok && (mask & (quint64(1) << (signalNumber - 1))) != 0;
    }
    return false;
}

inline bool waitUntilCatching(qint64 pid, int signalNumber)
{
    return QTest::qWaitFor([&] { return catchesSignal(pid, signalNumber); }, 60000);
}
