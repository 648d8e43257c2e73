#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace tarvex {

// The script slots 0 to 99. Slot 0 holds the header line of Scripts.ini, slots 1 to 99
// one script record each or the empty string (a free slot).
class ScriptTable
{
public:
    static constexpr int kSlots = 100;

    const QString& slot(int i) const { return m_slots.at(std::size_t(i)); }
    void setSlot(int i, const QString& record) { m_slots.at(std::size_t(i)) = record; }
    int usedScripts() const;
    void clear() { m_slots.fill(QString()); }
    // The items of the script bar: slot number with two digits, a blank and the name.
    QStringList barItems() const;

private:
    std::array<QString, kSlots> m_slots;
};

} // namespace tarvex
