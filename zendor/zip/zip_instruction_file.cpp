#include "zendor/zip/zip_instruction_file.h"

#include "shared/cp1252.h"
#include "shared/text_file.h"
#include "zendor/zendor_paths.h"

namespace zendor {

void ZipInstructionFile::write(const QString& path, const QString& zipPath, const QStringList& sources)
{
    QStringList lines{QStringLiteral("ZIP=") + zipPath};
    lines += sources;
    TextFile::writeLinesAtomic(path, lines);
}

bool ZipInstructionFile::representable(const QString& path)
{
    for (QChar c : path) {
        bool ok = true;
        Cp1252::fromUnicode(c, &ok);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace zendor
