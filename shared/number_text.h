#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// The leading-number conversion used wherever text becomes a number: leading blanks
// and tabs are skipped, an optional sign, digits, a decimal point with digits and an
// exponent are taken as far as they form a number; the first character that cannot
// belong to it ends the number. No number at all gives 0.
double leadingNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// leadingNumber, rounded half to even and clamped to the 32-bit range.
int leadingInt(QStringView text);

// Rounded half to even and clamped to the 32-bit range.
int clampedInt(double value);
