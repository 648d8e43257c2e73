#include "shared/help_file.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

QString HelpFile::pathFor(const QString& programPath)
{
    const QFileInfo info(programPath);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QStringLiteral(".hlp"));
}

std::optional<HelpFile> HelpFile::load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return fromHtml(QString::fromUtf8(file.readAll()));
}

namespace {

// Headings hold little markup; what is left of it is dropped and entities resolved.
QString plain(const QString& html)
{
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text.simplified();
}

} // namespace

HelpFile HelpFile::fromHtml(const QString& html)
{
    HelpFile help;
    help.m_html = html;
    static const QRegularExpression heading(
        QStringLiteral("<h2\\s+id=\"([^\"]+)\"(?:\\s+data-index=\"([^\"]*)\")?\\s*>(.*?)</h2>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        Topic topic;
        topic.id = match.captured(1);
        topic.title = plain(match.captured(3));
        for (const QString& word : match.captured(2).split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = plain(word);
            if (!trimmed.isEmpty())
                topic.keywords.append(trimmed);
        }
        help.m_topics.append(topic);
    }
    return help;
}

QList<HelpFile::IndexEntry> HelpFile::index() const
{
    QList<IndexEntry> entries;
    for (const Topic& topic : m_topics) {
        entries.append({topic.title, topic.id});
        for (const QString& keyword : topic.keywords)
            entries.append({keyword, topic.id});
    }
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&collator](const IndexEntry& a, const IndexEntry& b) {
        return collator.compare(a.keyword, b.keyword) < 0;
    });
    return entries;
}

QString HelpFile::topicFor(const QString& keyword) const
{
    const QString wanted = keyword.simplified();
    for (const Topic& topic : m_topics) {
        if (topic.title.compare(wanted, Qt::CaseInsensitive) == 0)
            return topic.id;
        for (const QString& word : topic.keywords)
            if (word.compare(wanted, Qt::CaseInsensitive) == 0)
                return topic.id;
    }
    return QString();
}
