#include "terminal/receive/line_stamp.h"

namespace tarvex {

QString LineStamp::timeText(const QDateTime& now)
{
    // Lines arrive many to a second: the text is made once per second (formatting a date
    // costs more than the rest of a line's way to the display).
    thread_local qint64 cachedSecond = -1;
    thread_local QString cachedText;
    const qint64 second = now.date().toJulianDay() * 86400 + now.time().msecsSinceStartOfDay() / 1000;
    if (second != cachedSecond) {
        cachedText = now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
                     + now.toString(QStringLiteral("hh:mm:ss"));
        cachedSecond = second;
    }
    return cachedText;
}

QString LineStamp::prefix(const QDateTime& now, bool time, bool index, int lineIndex)
{
    QString p;
    if (time)
        p += timeText(now) + QStringLiteral("  ");
    if (index)
        p += QStringLiteral("%1  ").arg(lineIndex, 8, 10, QLatin1Char('0'));
    return p;
}

} // namespace tarvex
