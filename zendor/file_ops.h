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
    // renamed, so a failed copy never leaves a half target.
    static void copyReplacing(const QString& source, const QString& target);
    static void remove(const QString& path);
    // Maps a std::filesystem error to an error number of the report.
    static int codeOf(int errnoValue);
};

} // namespace zendor
