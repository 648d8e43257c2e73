#include "terminal/core/script_table.h"

int ScriptTable::usedScripts() const
{
    int n = 0;
    for (int i = 1; i < kSlots; ++i) {
        if (!m_slots[std::size_t(i)].isEmpty())
            ++n;
    }
    return n;
}
