#pragma once

#include <QString>
#include <QStringList>

namespace zendor {

// The files of a folder that match a name or wildcard pattern ("*", "?"), compared
// without regard to case, as the Windows file enumeration does: "*.*" matches every
// name, with or without a dot. Only normal files (no folders, no hidden files).
class WildcardFiles
{
public:
    // Throws RuntimeError(PathNotFound) when the folder does not exist.
    static QStringList list(const QString& folder, const QString& pattern);
    static bool hasWildcard(const QString& name);
};

} // namespace zendor
