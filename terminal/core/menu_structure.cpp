#include "terminal/core/menu_structure.h"

namespace tarvex {

bool MenuStructure::append(const QString& line)
{
    if (m_slots.size() >= kSlots)
        return false;
    m_slots.append(line);
    return true;
}

} // namespace tarvex
