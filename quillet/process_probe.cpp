#include "quillet/process_probe.h"

#include <QCoreApplication>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#endif

namespace quillet {

qint64 ProcessProbe::currentId()
{
    return QCoreApplication::applicationPid();
}

bool ProcessProbe::isRunningEditor(qint64 id)
{
    if (id <= 0)
        return false;
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process)
        return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    if (::kill(static_cast<pid_t>(id), 0) != 0 && errno != EPERM)
        return false;
    // Where the process table is readable, a reused id of another program does not count.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(id));
    if (stat.open(QIODevice::ReadOnly)) {
        // A process that has ended but was not yet collected by its parent is not running.
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        if (close >= 0 && close + 2 < line.size() && line[close + 2] == 'Z')
            return false;
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(id));
    if (comm.open(QIODevice::ReadOnly)) {
        const QByteArray name = comm.readAll().trimmed();
        return name.startsWith("quillet");
    }
    return true;
#endif
}

} // namespace quillet
