#include "terminal/core/filter_table.h"

#include "shared/number_text.h"

namespace tarvex {

FilterTable FilterTable::fromSetting(const QString& filterZ)
{
    FilterTable t;
    const QStringList parts = filterZ.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (const QString& p : parts) {
        if (p.trimmed().isEmpty())
            continue;
        t.add(leadingInt(p));
    }
    return t;
}

QString FilterTable::toSetting() const
{
    if (m_codes.isEmpty())
        return QString();
    QString s = QStringLiteral("|");
    for (int c : m_codes)
        s += QString::number(c) + QLatin1Char('|');
    return s;
}

bool FilterTable::add(int code)
{
    if (code < 0 || code > 255 || m_lookup[std::size_t(code)])
        return false;
    m_codes.append(code);
    m_lookup[std::size_t(code)] = true;
    return true;
}

void FilterTable::remove(int code)
{
    if (code < 0 || code > 255 || !m_lookup[std::size_t(code)])
        return;
    m_codes.removeAll(code);
    m_lookup[std::size_t(code)] = false;
}

} // namespace tarvex
