#pragma once

#include <QList>
#include <QString>

#include <array>

namespace tarvex {

// The characters the receive filter drops: the codes listed in kunde.ini FilterZ, stored
// as a pipe record of decimal codes ("|3|7|"), and a 256-entry lookup for the hot path.
class FilterTable
{
public:
    static FilterTable fromSetting(const QString& filterZ);
    QString toSetting() const;

    const QList<int>& codes() const { return m_codes; }
    bool contains(unsigned char c) const { return m_lookup[c]; }
    // Adds a code 0..255 once; returns false when it is out of range or present.
    bool add(int code);
    void remove(int code);

private:
    QList<int> m_codes;
    std::array<bool, 256> m_lookup{};
};

} // namespace tarvex
