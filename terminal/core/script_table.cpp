#include "terminal/core/script_table.h"

#include "shared/daten_pipe.h"

namespace tarvex {

int ScriptTable::usedScripts() const
{
    int n = 0;
    for (int i = 1; i < kSlots; ++i) {
        if (!m_slots[std::size_t(i)].isEmpty())
            ++n;
    }
    return n;
}

QStringList ScriptTable::barItems() const
{
    QStringList items;
    for (int i = 1; i < kSlots; ++i) {
        const QString& record = m_slots[std::size_t(i)];
        if (!record.isEmpty())
            items.append(QStringLiteral("%1 ").arg(i, 2, 10, QLatin1Char('0')) + DatenPipe(1, record));
    }
    return items;
}

} // namespace tarvex
