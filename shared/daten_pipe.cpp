#include "shared/daten_pipe.h"

QStringList pipeFields(const QString& record)
{
    // The first and the last character are removed whatever they are.
    if (record.size() < 2)
        return {QString()};
    return record.mid(1, record.size() - 2).split(QLatin1Char('|'));
}

QString pipeRecord(const QStringList& fields)
{
    return QLatin1Char('|') + fields.join(QLatin1Char('|')) + QLatin1Char('|');
}

QString DatenPipe(int n, const QString& record, const QString& newValue)
{
    QStringList fields = pipeFields(record);
    if (n < 1 || n > fields.size())
        return QString();
    if (newValue.isEmpty())
        return fields.at(n - 1);
    if (newValue == QLatin1String("!")) {
        QString f = fields.at(n - 1);
        qsizetype b = 0;
        qsizetype e = f.size();
        while (b < e && f.at(b) == QLatin1Char(' '))
            ++b;
        while (e > b && f.at(e - 1) == QLatin1Char(' '))
            --e;
        return f.mid(b, e - b);
    }
    fields[n - 1] = newValue;
    return pipeRecord(fields);
}
