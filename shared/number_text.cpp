#include "shared/number_text.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;

    std::string digits;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        digits += char(text[i].unicode());
        ++i;
    }
    bool any = false;
    while (i < n && isDigit(text[i])) {
        digits += char(text[i].unicode());
        ++i;
        any = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        qsizetype j = i + 1;
        std::string frac = ".";
        while (j < n && isDigit(text[j])) {
            frac += char(text[j].unicode());
            ++j;
        }
        if (frac.size() > 1 || any) {
            digits += frac;
            any = any || frac.size() > 1;
            i = j;
        }
    }
    if (!any)
        return 0.0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E')
                  || text[i] == QLatin1Char('d') || text[i] == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        std::string exp = "e";
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            exp += char(text[j].unicode());
            ++j;
        }
        bool expDigits = false;
        while (j < n && isDigit(text[j])) {
            exp += char(text[j].unicode());
            ++j;
            expDigits = true;
        }
        if (expDigits)
            digits += exp;
    }
    return std::strtod(digits.c_str(), nullptr);
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double fl = std::floor(value);
    const double diff = value - fl;
    if (diff < 0.5)
        return fl;
    if (diff > 0.5)
        return fl + 1.0;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

int clampedInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

int leadingInt(QStringView text)
{
    return clampedInt(leadingNumber(text));
}
