#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quillet {

// The date and time formats offered for insertion. In a format the letters below are
// replaced, every other character is copied:
//   D weekday name, G month name, g its first three letters, d day, M month, Y year,
//   y year of two digits, H hour 0-23, h hour in twelve-hour form, m minute, s second
// (all numbers with two digits, the year with four).
class DateFormats {
public:
    // The seventeen formats in the order the list shows them.
    static const QStringList& formats();
    static QString format(const QString& pattern, const QDateTime& when);
    // Every format filled in with `when`, in list order.
    static QStringList lines(const QDateTime& when);

    // "Montag" ... for Qt's day numbers 1 (Monday) to 7 (Sunday).
    static QString weekdayName(int dayOfWeek);
    // "Januar" ... "Dezember" for 1 to 12.
    static QString monthName(int month);
};

} // namespace quillet
