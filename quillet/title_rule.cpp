#include "quillet/title_rule.h"

namespace quillet {

QString TitleRule::programCaption()
{
    return QStringLiteral("Quillet V-3.1c");
}

QString TitleRule::fileNamePart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

QString TitleRule::windowTitle(const QString& path, const QString& label)
{
    QString name;
    if (path.isEmpty()) {
        name = label;
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot > 0)
            name.truncate(dot);
    } else {
        name = fileNamePart(path);
        if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            name.chop(4);
    }
    return QStringLiteral(" ") + name + QStringLiteral(" - Quillet");
}

} // namespace quillet
