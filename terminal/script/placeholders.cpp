#include "terminal/script/placeholders.h"

#include "shared/number_text.h"

#include <cmath>
#include <limits>

namespace tarvex {

int Placeholders::index(QStringView digit)
{
    if (digit.isEmpty() || !digit.front().isDigit() || digit.front().unicode() > '9')
        return 0;
    return digit.front().unicode() - '0';
}

qint64 Placeholders::numberOf(QStringView text)
{
    const double v = roundHalfEven(leadingNumber(text));
    if (!std::isfinite(v) || v > 9.0e18 || v < -9.0e18)
        return v < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return qint64(v);
}

QString Placeholders::replacePare(const QString& line) const
{
    static const QString kPare = QStringLiteral("PARE");
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = line.indexOf(kPare, from);
        if (at < 0)
            break;
        out += QStringView(line).mid(from, at - from);
        out += value(index(QStringView(line).mid(at + 5, 1)));
        from = std::min(at + 6, line.size());
    }
    out += QStringView(line).mid(from);
    return out;
}

std::optional<QString> Placeholders::compute(int i, Op op, QStringView operand) const
{
    const qint64 a = numberOf(value(i));
    const qint64 b = numberOf(operand);
    constexpr qint64 lo = std::numeric_limits<qint32>::min();
    constexpr qint64 hi = std::numeric_limits<qint32>::max();
    if (a < lo || a > hi || b < lo || b > hi)
        return std::nullopt;
    qint64 r = a;
    switch (op) {
    case Op::Add: r = a + b; break;
    case Op::Sub: r = a - b; break;
    case Op::Mul: r = a * b; break;
    case Op::Div:
        if (b <= 0)
            return value(i);
        r = a / b;
        break;
    }
    if (r < lo || r > hi)
        return std::nullopt;
    return QString::number(r);
}

QChar Placeholders::opSign(Op op)
{
    switch (op) {
    case Op::Add: return QLatin1Char('+');
    case Op::Sub: return QLatin1Char('-');
    case Op::Mul: return QLatin1Char('*');
    case Op::Div: return QLatin1Char('\\');
    }
    return QLatin1Char('?');
}

bool Placeholders::emptinessHolds(int i, int y) const
{
    return y == 0 ? value(i).isEmpty() : !value(i).isEmpty();
}

bool Placeholders::comparisonHolds(int i, int y, QStringView number) const
{
    const qint64 p = numberOf(value(i));
    const qint64 w = numberOf(number);
    switch (y) {
    case 0: return p == w;
    case 1: return p > w;
    case 2: return p < w;
    case 4: return p != w;
    default: return false;
    }
}

bool Placeholders::splitLabelNumber(const QString& text, QString* label, QString* number)
{
    const QString t = text.trimmed();
    const qsizetype blank = t.lastIndexOf(QLatin1Char(' '));
    if (blank < 0)
        return false;
    *label = t.left(blank).trimmed();
    *number = t.mid(blank + 1);
    return !label->isEmpty();
}

QString Placeholders::overviewText(int x) const
{
    if (x >= 0 && x <= 9)
        return QStringLiteral("Platzhalter\t: PARE ") + QString::number(x) + QStringLiteral("\rInhalt\t: ") + value(x);
    QString text;
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("Platzhalter: PARE ") + QString::number(i) + QStringLiteral("   Inhalt = ") + value(i)
                + QLatin1Char('\r');
    return text;
}

} // namespace tarvex
