#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace zendor {

// Path helpers for the paths callers pass in records. Records use "\" (and sometimes
// "/"); on disk we use the native "/" form and find existing components regardless of
// case.
class ZendorPaths
{
public:
    // "\" becomes "/".
    static QString toNative(const QString& path);
    // The form a path is handed back to callers in: the platform's own separator
    // throughout ("\" on Windows, where callers split results at "\").
    static QString forCaller(const QString& path, QChar separator = QDir::separator());
    // Removes one trailing "/" or "\" (a lone root "/" stays).
    static QString withoutTrailingSeparator(const QString& path);
    // True for "X:...", a path starting with "/" and, with allowUnc, "\\...".
    static bool isAbsolute(const QString& path, bool allowUnc);
    // The path rule: relative arguments are taken below the program folder. The result is
    // native and existing components are matched without regard to case.
    static QString resolve(const QString& programDir, const QString& argument, bool allowUnc);
    // Everything before the last separator ("/" or "\"); empty when there is none.
    static QString folderOf(const QString& path);
    static QString nameOf(const QString& path);
    // True when name is a bare file name: no separator, not "." or "..".
    static bool isPlainFileName(const QString& name);
};

} // namespace zendor
