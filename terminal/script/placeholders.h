#pragma once

#include <QString>

#include <array>
#include <optional>

namespace tarvex {

// The ten placeholder values of the scripts (kept in the settings) and the rules of the
// placeholder commands. Values are text; arithmetic reads them with the leading-number
// conversion (rounded half to even) and works in 32-bit signed integers.
class Placeholders
{
public:
    using Values = std::array<QString, 10>;
    enum class Op { Add, Sub, Mul, Div };

    explicit Placeholders(Values& values) : m_values(values) {}

    // The placeholder number of a digit text: a non-digit counts as 0.
    static int index(QStringView digit);

    const QString& value(int i) const { return m_values.at(std::size_t(i)); }
    void setValue(int i, const QString& v) { m_values.at(std::size_t(i)) = v; }

    // Replaces every "PARE x" of the line by the value of x in one pass over the line as
    // it was: a value that itself holds "PARE" is inserted as it is, never replaced again.
    QString replacePare(const QString& line) const;

    // The value of i combined with operand. No value when the result is outside the
    // 32-bit range (the value then stays unchanged). Div by 0 or a negative number
    // returns the old value.
    std::optional<QString> compute(int i, Op op, QStringView operand) const;
    static QChar opSign(Op op);

    // IFPE: y 0 holds on an empty value, any other y on a non-empty one.
    bool emptinessHolds(int i, int y) const;
    // IFPV: 0 equal, 1 greater, 2 less, 4 not equal; anything else never holds.
    bool comparisonHolds(int i, int y, QStringView number) const;
    // Splits IFPV's "label number" text at its last blank; false without a blank.
    static bool splitLabelNumber(const QString& text, QString* label, QString* number);

    // The PARZ message: one value for 0 to 9, all ten for anything else.
    QString overviewText(int x) const;

    static qint64 numberOf(QStringView text);

private:
    Values& m_values;
};

} // namespace tarvex
