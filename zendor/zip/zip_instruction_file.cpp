#include "zendor/zip/zip_instruction_file.h"

#include "shared/text_file.h"
#include "zendor/zendor_paths.h"

void ZipInstructionFile::write(const QString& path, const QString& zipPath, const QStringList& sources)
{
    QStringList lines{QStringLiteral("ZIP=") + zipPath};
    lines += sources;
    TextFile::writeLinesAtomic(path, lines);
}
