#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class HelpWindow;
class QWidget;

namespace tarvex {

struct TerminalContext;

// The terminal's help: the file "Terminal Tarvex.hlp" beside the program in the shared help
// window. Function 905 (toolbar "Hilfe", F1) opens the contents, 906 the index, 915 the
// script commands; every window's "Hilfe" button opens its own topic through the context's
// HelpDesk. The file is read at the first request; a missing one is told each time.
class HelpWindows : public QObject
{
    Q_OBJECT
public:
    static QString defaultFile(const QString& programDir);

    HelpWindows(TerminalContext& context, QWidget* parent, QString file = QString());
    ~HelpWindows() override;

    void showKeyword(const QString& keyword);
    void showContents();
    void showIndex();
    HelpWindow* window() const;

private:
    bool load();
    void placeOverActiveDialog();

    TerminalContext& m_ctx;
    QWidget* m_parent;
    QString m_file;
    QPointer<HelpWindow> m_window;
};

} // namespace tarvex
