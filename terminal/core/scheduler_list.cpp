#include "terminal/core/scheduler_list.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

namespace tarvex {

int SchedulerList::codeOf(const QString& choice)
{
    const qsizetype open = choice.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return 0;
    return leadingInt(QStringView(choice).mid(open + 1));
}

QString SchedulerList::entryFromLine(const QString& line)
{
    if (leadingNumber(DatenPipe(1, line)) == 0.0)
        return QString();
    return entryOf(line);
}

QString SchedulerList::entryOf(const QString& line)
{
    const auto twoDigits = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return DatenPipe(2, line) + QLatin1Char(' ') + twoDigits(codeOf(DatenPipe(3, line))) + QLatin1Char(' ')
        + twoDigits(codeOf(DatenPipe(4, line))) + QLatin1Char(' ') + line;
}

} // namespace tarvex
