#include "zendor/wildcard_files.h"

#include "shared/runtime_error.h"

#include <QDir>
#include <QFileInfo>

namespace zendor {

bool WildcardFiles::hasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QStringList WildcardFiles::list(const QString& folder, const QString& pattern)
{
    QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    if (!dir.exists())
        throw RuntimeError(ErrorCode::PathNotFound, folder);
    QString filter = pattern;
    if (filter == QLatin1String("*.*"))
        filter = QStringLiteral("*");
    // Brackets are ordinary characters in Windows names, not character classes.
    filter.replace(QLatin1Char('['), QStringLiteral("[[]"));
    return dir.entryList(QStringList{filter}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace zendor
