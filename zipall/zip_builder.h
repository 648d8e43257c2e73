#pragma once

#include <QString>
#include <QStringList>

namespace zipall {

// Builds a zip file with libzip: every source is a file path or a folder plus a wildcard
// pattern; entries are stored under their bare file names (UTF-8 flagged), deflated.
// An existing zip file is updated (entries of the same name replaced). libzip writes the
// archive to a temporary file and renames it when complete, so a failure leaves the old
// file (or none) behind, never half a zip.
class ZipBuilder
{
public:
    struct Result
    {
        int added = 0;
        QStringList skipped; // missing files, duplicates, unmatched patterns (with reason)
    };

    // Throws std::runtime_error with a message on failure.
    static Result build(const QString& zipPath, const QStringList& sources);
    // The files a source names: the file itself, or the files matching its pattern.
    static QStringList expand(const QString& source);
};

} // namespace zipall
