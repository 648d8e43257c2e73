#include "zendor/zendor_paths.h"

#include "shared/app_folders.h"

namespace zendor {

QString ZendorPaths::toNative(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString ZendorPaths::forCaller(const QString& path, QChar separator)
{
    QString p = path;
    for (QChar& ch : p) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\'))
            ch = separator;
    }
    return p;
}

QString ZendorPaths::withoutTrailingSeparator(const QString& path)
{
    if (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        return path.left(path.size() - 1);
    return path;
}

bool ZendorPaths::isAbsolute(const QString& path, bool allowUnc)
{
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return true;
    if (path.startsWith(QLatin1Char('/')))
        return true;
    return allowUnc && path.startsWith(QLatin1String("\\\\"));
}

QString ZendorPaths::resolve(const QString& programDir, const QString& argument, bool allowUnc)
{
    if (argument.isEmpty())
        return argument;
    QString p = isAbsolute(argument, allowUnc) ? argument : programDir + QLatin1Char('/') + argument;
    p = toNative(p);
    // "\\server\share" stays a network path; everything else is looked up without regard to case.
    if (p.startsWith(QLatin1String("//")))
        return p;
    return AppFolders::findCaseInsensitive(p);
}

QString ZendorPaths::folderOf(const QString& path)
{
    const int pos = int(qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))));
    return pos < 0 ? QString() : path.left(pos);
}

QString ZendorPaths::nameOf(const QString& path)
{
    const int pos = int(qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))));
    return path.mid(pos + 1);
}

bool ZendorPaths::isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace zendor
