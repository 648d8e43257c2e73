#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace quillet {

// The header and footer line of a printed page, written in a small code language:
// "&n" the sheet's name (its full path, or its tab label when it has none), "&s" the page
// number, "&u" the time, "&d" the date, "&z" / "&r" / "&l" centre, right or left alignment
// (centre unless given; the last one wins), "&&" one "&". Letters count in either case;
// every other "&" pair is dropped.
class HeaderFooter {
public:
    enum class Align { Left, Center, Right };

    struct Context {
        QString name;
        int page = 1;
        QDateTime now;
    };

    struct Line {
        QString text;
        Align align = Align::Center;
        bool operator==(const Line&) const = default;
    };

    static Line expand(QStringView code, const Context& context);

    // "Montag, 07. Dezember 2026"
    static QString dateText(const QDate& date);
    // "09:05:03"
    static QString timeText(const QTime& time);
    // German names: day 1 = Monday … 7 = Sunday (QDate's numbering); month 1 … 12.
    static QString weekdayName(int dayOfWeek);
    static QString monthName(int month);
};

} // namespace quillet
