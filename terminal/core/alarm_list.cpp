#include "terminal/core/alarm_list.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

namespace tarvex {

QString AlarmList::entryFromLine(const QString& line)
{
    if (leadingNumber(DatenPipe(1, line)) == 0.0)
        return QString();
    return line.mid(2) + QStringLiteral("0 Zähler|");
}

} // namespace tarvex
