#include "terminal/core/alarm_list.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

namespace tarvex {

QString AlarmList::entryFromLine(const QString& line)
{
    if (leadingNumber(DatenPipe(1, line)) == 0.0)
        return QString();
    return line.mid(2) + QStringLiteral("0 Zähler|");
}

AlarmList::Watched AlarmList::watchedOf(const QString& entry)
{
    Watched w{DatenPipe(1, entry), leadingNumber(DatenPipe(14, entry)) != 0.0, 0};
    if (w.text.size() >= 2)
        w.pairKey = PairKeys::key(w.text[0], w.text[1]);
    return w;
}

void AlarmList::append(const QString& entry)
{
    m_entries.append(entry);
    m_watched.push_back(watchedOf(entry));
}

void AlarmList::set(int index, const QString& entry)
{
    if (index < 0 || index >= size())
        return;
    m_entries[index] = entry;
    m_watched[std::size_t(index)] = watchedOf(entry);
}

} // namespace tarvex
