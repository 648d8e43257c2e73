#pragma once

#include <QString>

namespace zendor {

// Truth values as the boxes show them: the words "Wahr"/"Falsch" or the numbers -1/0.
class BoolText
{
public:
    static QString word(bool b) { return b ? QStringLiteral("Wahr") : QStringLiteral("Falsch"); }
    static QString number(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }
};

} // namespace zendor
