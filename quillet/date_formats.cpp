#include "quillet/date_formats.h"

namespace quillet {
namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

const QStringList& DateFormats::formats()
{
    static const QStringList list = {
        QStringLiteral("d.M.Y"),    QStringLiteral("D, d. G Y"),  QStringLiteral("d. g. Y"),
        QStringLiteral("d.M.y"),    QStringLiteral("Y-M-d"),      QStringLiteral("d.g.y"),
        QStringLiteral("d/M/Y"),    QStringLiteral("d. g. y"),    QStringLiteral("d/M/y"),
        QStringLiteral("G y"),      QStringLiteral("g.y"),        QStringLiteral("d.M.Y H:m"),
        QStringLiteral("d.M.Y H:m:s"), QStringLiteral("h:m"),     QStringLiteral("h:m:s"),
        QStringLiteral("H:m"),      QStringLiteral("H:m:s"),
    };
    return list;
}

QString DateFormats::weekdayName(int dayOfWeek)
{
    static const char* const names[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                        "Freitag", "Samstag",  "Sonntag"};
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? QString::fromUtf8(names[dayOfWeek - 1]) : QString();
}

QString DateFormats::monthName(int month)
{
    static const char* const names[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

QString DateFormats::format(const QString& pattern, const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    QString out;
    for (const QChar c : pattern) {
        switch (c.unicode()) {
        case 'D': out += weekdayName(date.dayOfWeek()); break;
        case 'G': out += monthName(date.month()); break;
        case 'g': out += monthName(date.month()).left(3); break;
        case 'd': out += twoDigits(date.day()); break;
        case 'M': out += twoDigits(date.month()); break;
        case 'Y': out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')); break;
        case 'y': out += twoDigits(date.year()); break;
        case 'H': out += twoDigits(time.hour()); break;
        // Hours above 12 lose 12; midnight stays 00.
        case 'h': out += twoDigits(time.hour() > 12 ? time.hour() - 12 : time.hour()); break;
        case 'm': out += twoDigits(time.minute()); break;
        case 's': out += twoDigits(time.second()); break;
        default: out += c; break;
        }
    }
    return out;
}

QStringList DateFormats::lines(const QDateTime& when)
{
    QStringList out;
    for (const QString& pattern : formats())
        out.append(format(pattern, when));
    return out;
}

} // namespace quillet
