#include "terminal/core/menu_structure.h"

bool MenuStructure::append(const QString& line)
{
    if (m_slots.size() >= kSlots)
        return false;
    m_slots.append(line);
    return true;
}
