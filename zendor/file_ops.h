#pragma once

#include <QString>

namespace zendor {

// File operations of the copy and delete functions; failures throw RuntimeError.
class FileOps
{
public:
    // Makes the file writable again (the read-only attribute of Windows).
    static void clearAttributes(const QString& path);
    // Copies source over target: the copy is written beside the target first and then
    // renamed, so a failed copy never leaves a half target. Where the folder allows no new
    // file but the target is writable, the target is written in place.
    static void copyReplacing(const QString& source, const QString& target);
    static void remove(const QString& path);
    // Maps a std::filesystem error to an error number of the report.
    static int codeOf(int errnoValue);

private:
    static void copyInPlace(const QString& source, const QString& target);
};

} // namespace zendor
