#include "terminal/connections/phone_book.h"

#include "shared/daten_pipe.h"
#include "shared/text_file.h"

#include <QFileInfo>

namespace tarvex {

PhoneEntry PhoneBook::fromLine(const QString& line)
{
    if (line.size() < 2 || !line.startsWith(QLatin1Char('|')) || !line.endsWith(QLatin1Char('|')))
        return PhoneEntry{line.trimmed(), QString(), QString()};
    const QStringList fields = pipeFields(line);
    return PhoneEntry{fields.value(0), fields.value(1), fields.value(2)};
}

QString PhoneBook::toLine(const PhoneEntry& entry)
{
    auto field = [](QString text) { return text.replace(QLatin1Char('|'), QLatin1Char('/')); };
    return pipeRecord({field(entry.rufnummer), field(entry.bezeichnung), field(entry.standort)});
}

QList<PhoneEntry> PhoneBook::load(const QString& path)
{
    QList<PhoneEntry> entries;
    if (!QFileInfo::exists(path))
        return entries;
    for (const QString& line : TextFile::readLines(path)) {
        if (!line.trimmed().isEmpty())
            entries.append(fromLine(line));
    }
    return entries;
}

void PhoneBook::save(const QString& path, const QList<PhoneEntry>& entries)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const PhoneEntry& e : entries)
        lines.append(toLine(e));
    TextFile::writeLinesAtomic(path, lines);
}

} // namespace tarvex
