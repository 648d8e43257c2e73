#include "terminal/automation/scheduler_task.h"

#include "shared/daten_pipe.h"

namespace tarvex::SchedulerTask {

QString coded(const QString& text, int code)
{
    return text + QStringLiteral(" (") + QString::number(code) + QLatin1Char(')');
}

const QStringList& rhythmNames()
{
    static const QStringList names{QStringLiteral("Täglich"), QStringLiteral("Wöchentlich"),
                                   QStringLiteral("Monatlich"), QStringLiteral("Jährlich")};
    return names;
}

const QStringList& fileChoiceNames()
{
    static const QStringList names{QStringLiteral("Capture"), QStringLiteral("Monitor"),
                                   QStringLiteral("Cap./Monitor")};
    return names;
}

const QStringList& kindNames()
{
    static const QStringList names{QStringLiteral("Kopieren"), QStringLiteral("Löschen"),
                                   QStringLiteral("Verschieben"), QStringLiteral("Script senden")};
    return names;
}

QStringList kindItems()
{
    QStringList items;
    for (int i = 0; i < kindNames().size(); ++i)
        items << QStringLiteral("%1 ").arg(i + 1, 2, 10, QLatin1Char('0')) + kindNames().at(i);
    return items;
}

QStringList whenEntries(int rhythm)
{
    QStringList entries;
    switch (rhythm) {
    case 2:
        entries = pipeFields(QStringLiteral("|Montag|Dienstag|Mittwoch|Donnerstag|Freitag|Samstag|Sonntag|"));
        break;
    case 3:
        for (int day = 1; day <= 31; ++day)
            entries << QStringLiteral("%1. Tag").arg(day, 2, 10, QLatin1Char('0'));
        break;
    case 4:
        for (int month = 1; month <= 12; ++month)
            entries << QStringLiteral("1.%1.xxxx").arg(month, 2, 10, QLatin1Char('0'));
        break;
    default:
        break;
    }
    return entries;
}

QStringList fieldsOf(const QString& line)
{
    QStringList fields;
    for (int i = 1; i <= kFieldCount; ++i)
        fields << DatenPipe(i, line);
    return fields;
}

bool validTime(const QString& time)
{
    return time.size() == 5 && time.at(2) == QLatin1Char(':');
}

} // namespace tarvex::SchedulerTask
