#include "shared/platform/qt_clock.h"

#include <QFileInfo>

#include <QEventLoop>
#include <QTimer>

QtClock::QtClock()
{
    m_timer.start();
}

void QtClock::readTimeZoneOnce()
{
#ifdef Q_OS_LINUX
    if (qEnvironmentVariableIsEmpty("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
#endif
}

QDateTime QtClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 QtClock::monotonicMs() const
{
    return m_timer.elapsed();
}

void QtClock::wait(int ms)
{
    if (ms <= 0) {
        QEventLoop loop;
        loop.processEvents(QEventLoop::AllEvents);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
