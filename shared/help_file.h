#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A program's help: one HTML file beside the program (the program's path with the
// extension replaced by ".hlp"). Every topic starts with a heading
// <h2 id="name" data-index="Stichwort; Stichwort">Title</h2>; the contents list the
// topics in file order, the index their titles and key words in alphabetical order.
class HelpFile {
public:
    struct Topic {
        QString id;
        QString title;
        QStringList keywords;
    };
    struct IndexEntry {
        QString keyword;
        QString topicId;
    };

    static QString pathFor(const QString& programPath);
    // The file's text and topics; nothing (and `error` set) when it cannot be read.
    static std::optional<HelpFile> load(const QString& path, QString* error = nullptr);
    static HelpFile fromHtml(const QString& html);

    const QString& html() const { return m_html; }
    const QList<Topic>& topics() const { return m_topics; }
    QList<IndexEntry> index() const;
    // The topic a window's help keyword names: the topic with that title or key word
    // (letter case aside); empty when there is none.
    QString topicFor(const QString& keyword) const;

private:
    QString m_html;
    QList<Topic> m_topics;
};
