#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// The lines of the menu structure file, slot 0 holding the file's first line; the menu
// uses slots 1 to 200.
class MenuStructure
{
public:
    static constexpr int kSlots = 201;

    const QStringList& lines() const { return m_slots; }
    void clear() { m_slots.clear(); }
    // Lines beyond the last slot are ignored; returns whether the line was stored.
    bool append(const QString& line);

private:
    QStringList m_slots;
};

} // namespace tarvex
