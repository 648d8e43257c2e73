#include "quillet/header_footer.h"

#include <array>

namespace quillet {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Montag",     "Dienstag", "Mittwoch", "Donnerstag",
                                                  "Freitag",    "Samstag",  "Sonntag"};
constexpr std::array<const char*, 12> kMonths = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                                 "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString HeaderFooter::weekdayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return QString::fromUtf8(kWeekdays[static_cast<size_t>(dayOfWeek - 1)]);
}

QString HeaderFooter::monthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf8(kMonths[static_cast<size_t>(month - 1)]);
}

QString HeaderFooter::dateText(const QDate& date)
{
    return QStringLiteral("%1, %2. %3 %4")
        .arg(weekdayName(date.dayOfWeek()), twoDigits(date.day()), monthName(date.month()))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString HeaderFooter::timeText(const QTime& time)
{
    return twoDigits(time.hour()) + u':' + twoDigits(time.minute()) + u':' + twoDigits(time.second());
}

HeaderFooter::Line HeaderFooter::expand(QStringView code, const Context& context)
{
    Line line;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c != u'&') {
            line.text += c;
            continue;
        }
        // A lone "&" at the end has no letter and is dropped like an unknown pair.
        if (++i >= code.size())
            break;
        switch (code[i].toLower().unicode()) {
        case u'n':
            line.text += context.name;
            break;
        case u's':
            line.text += QString::number(context.page);
            break;
        case u'u':
            line.text += timeText(context.now.time());
            break;
        case u'd':
            line.text += dateText(context.now.date());
            break;
        case u'z':
            line.align = Align::Center;
            break;
        case u'r':
            line.align = Align::Right;
            break;
        case u'l':
            line.align = Align::Left;
            break;
        case u'&':
            line.text += u'&';
            break;
        default:
            break;
        }
    }
    return line;
}

} // namespace quillet
