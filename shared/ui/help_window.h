#pragma once

#include "shared/help_file.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

// The help window of a program: contents and index on the left, the topic on the right. It
// stays open beside the program's window (modeless).
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // title: the window's caption ("Quillet - Hilfe").
    HelpWindow(HelpFile help, const QString& title, QWidget* parent = nullptr);
    const HelpFile& file() const { return m_help; }

    // "Hilfethemen": the contents with the first topic.
    void showContents();
    // "Inhalt und Index": the index with its search field.
    void showIndex();
    void showTopic(const QString& id);
    // Shows the window at the topic a keyword names; the contents when none does.
    void showKeyword(const QString& keyword);
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
