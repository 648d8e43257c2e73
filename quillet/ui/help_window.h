#pragma once

#include "quillet/help_file.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace quillet {

// The help window: contents and index on the left, the topic on the right. It stays open
// beside the editor (modeless).
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(HelpFile help, QWidget* parent = nullptr);

    // "Hilfethemen": the contents with the first topic.
    void showContents();
    // "Inhalt und Index": the index with its search field.
    void showIndex();
    void showTopic(const QString& id);
    QString currentTopic() const { return m_current; }

private:
    void fillIndex(const QString& filter);

    HelpFile m_help;
    QList<HelpFile::IndexEntry> m_index;
    QTabWidget* m_tabs;
    QListWidget* m_contents;
    QLineEdit* m_indexFilter;
    QListWidget* m_indexList;
    QTextBrowser* m_browser;
    QString m_current;
};

} // namespace quillet
