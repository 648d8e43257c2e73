#include "quillet/file_type_list.h"

namespace quillet {

QString FileTypeList::defaultList()
{
    return QStringLiteral(
        "Textdateien (*.txt)|*.txt|Konfigurationseinstellungen (*.ini)|*.ini|"
        "Setup-Informatioenen (*.inf)|*.inf|Stapelverarbeitungsdatei für DOS (*.bat)|*.bat|"
        "Protokolldatei (*.log)|*.log|Alle Dateien|*.*|");
}

QList<FileTypeList::Row> FileTypeList::parse(const QString& stored)
{
    QList<Row> rows;
    const QStringList parts = stored.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        rows.append({parts[i], parts[i + 1]});
    }
    return rows;
}

QString FileTypeList::join(const QList<Row>& rows)
{
    QString out;
    for (const Row& row : rows) {
        const QString piece = row.description + u'|' + row.pattern + u'|';
        if (out.size() + piece.size() < kMaxStoredLength)
            out += piece;
    }
    return out;
}

QStringList FileTypeList::nameFilters(const QList<Row>& rows)
{
    QStringList filters;
    for (const Row& row : rows) {
        QString patterns = row.pattern;
        patterns.replace(u';', u' ');
        const QString suffix = QStringLiteral("(%1)").arg(patterns);
        if (row.description.endsWith(suffix))
            filters.append(row.description);
        else
            filters.append(row.description + u' ' + suffix);
    }
    return filters;
}

QString FileTypeList::switchExtension(const QString& fileName, const QString& pattern)
{
    const QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
    if (patterns.isEmpty())
        return fileName;
    const QString last = patterns.last().trimmed();
    const qsizetype patternDot = last.lastIndexOf(u'.');
    if (patternDot < 0)
        return fileName;
    const QString extension = last.mid(patternDot);
    if (extension == QLatin1String(".*") || extension.contains(u'*') || extension.contains(u'?'))
        return fileName;
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot <= slash + 1)
        return fileName;
    return fileName.left(dot) + extension;
}

} // namespace quillet
