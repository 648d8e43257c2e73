#include "shared/daten_pipe.h"

#include <optional>
#include <utility>

namespace {

// Where field n (from 1) of the inside begins and ends, found without splitting the record:
// the programs read one field of the same record many times.
std::optional<std::pair<qsizetype, qsizetype>> fieldBounds(QStringView fields, int n)
{
    if (n < 1)
        return std::nullopt;
    qsizetype begin = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype bar = fields.indexOf(QLatin1Char('|'), begin);
        if (bar < 0)
            return std::nullopt;
        begin = bar + 1;
    }
    qsizetype end = fields.indexOf(QLatin1Char('|'), begin);
    if (end < 0)
        end = fields.size();
    return std::make_pair(begin, end);
}

} // namespace

QStringView pipeInside(const QString& record)
{
    // The first and the last character are removed whatever they are.
    return record.size() < 2 ? QStringView() : QStringView(record).sliced(1, record.size() - 2);
}

QStringList pipeFields(const QString& record)
{
    if (record.size() < 2)
        return {QString()};
    return pipeInside(record).toString().split(QLatin1Char('|'));
}

QString pipeRecord(const QStringList& fields)
{
    return QLatin1Char('|') + fields.join(QLatin1Char('|')) + QLatin1Char('|');
}

QString DatenPipe(int n, const QString& record, const QString& newValue)
{
    const QStringView fields = pipeInside(record);
    const auto bounds = fieldBounds(fields, n);
    if (!bounds)
        return QString();
    const auto [begin, end] = *bounds;
    QStringView field = fields.sliced(begin, end - begin);
    if (newValue.isEmpty())
        return field.toString();
    if (newValue == QLatin1String("!")) {
        while (field.startsWith(QLatin1Char(' ')))
            field = field.sliced(1);
        while (field.endsWith(QLatin1Char(' ')))
            field.chop(1);
        return field.toString();
    }
    QString changed;
    changed.reserve(fields.size() - (end - begin) + newValue.size() + 2);
    changed.append(QLatin1Char('|')).append(fields.first(begin)).append(newValue);
    changed.append(fields.sliced(end)).append(QLatin1Char('|'));
    return changed;
}
