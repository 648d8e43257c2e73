#include "terminal/receive/line_stamp.h"

namespace tarvex {

QString LineStamp::timeText(const QDateTime& now)
{
    return now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ") + now.toString(QStringLiteral("hh:mm:ss"));
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
