#include "zipall/zip_instructions.h"

#include "shared/text_file.h"

#include <stdexcept>

namespace zipall {

ZipInstructions ZipInstructions::parse(const QStringList& lines)
{
    ZipInstructions z;
    if (lines.isEmpty() || !lines.first().trimmed().startsWith(QLatin1String("ZIP="), Qt::CaseInsensitive))
        throw std::invalid_argument("Zeile 1 der Steuerdatei ist keine ZIP=-Zeile");
    z.zipPath = lines.first().trimmed().mid(4).trimmed();
    if (z.zipPath.isEmpty())
        throw std::invalid_argument("Die Steuerdatei nennt keine ZIP-Datei");
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString l = lines.at(i).trimmed();
        if (!l.isEmpty())
            z.sources << l;
    }
    return z;
}

ZipInstructions ZipInstructions::read(const QString& path)
{
    return parse(TextFile::readLines(path));
}

} // namespace zipall
