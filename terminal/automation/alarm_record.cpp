#include "terminal/automation/alarm_record.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

namespace tarvex {

namespace AlarmRecord {

QStringList fields(const QString& line)
{
    QStringList out;
    out.reserve(kFields);
    for (int n = 1; n <= kFields; ++n)
        out << DatenPipe(n, line);
    return out;
}

QString line(const QStringList& fields)
{
    QString out = QStringLiteral("|");
    for (int n = 0; n < kFields; ++n)
        out += fields.value(n) + QLatin1Char('|');
    return out;
}

bool storable(const QString& value)
{
    return !value.contains(QLatin1Char('|')) && !value.contains(QLatin1Char('\r'))
           && !value.contains(QLatin1Char('\n'));
}

} // namespace AlarmRecord

namespace AlarmEntry {

QString field(const QString& entry, int n)
{
    return DatenPipe(n, entry);
}

bool flag(const QString& entry, int n)
{
    return leadingNumber(DatenPipe(n, entry)) != 0.0;
}

int counter(const QString& entry)
{
    return leadingInt(DatenPipe(kCounter, entry));
}

QString withCounter(const QString& entry, int count)
{
    // The counter is the last field: everything up to the "|" in front of it stays.
    qsizetype bar = -1;
    for (int n = 0; n < kCounter; ++n) {
        bar = entry.indexOf(QLatin1Char('|'), bar + 1);
        if (bar < 0)
            return entry;
    }
    return entry.left(bar + 1) + QString::number(count) + QStringLiteral(" Zähler|");
}

} // namespace AlarmEntry

} // namespace tarvex
