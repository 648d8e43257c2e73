#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class Prompter;
class Shell;

namespace tarvex {

class DialUpSystem;
class HelpDesk;

// The dial-up window frm26: the system's dial-up entries, "Verbinden" to open the chosen
// one (or a double click), "Trennen" to close it again, and, while a link is up, the maker's
// web site and a mail to the support address. The open link's handle is kept as decimal
// text in the "tag" property of frm26_cmdTrennen ("0" without a link); closing the window
// leaves the link up.
class DialUpWindow : public QDialog
{
    Q_OBJECT
public:
    DialUpWindow(DialUpSystem& system, Prompter& prompter, Shell& shell, HelpDesk& help, QWidget* parent = nullptr);

    // Reads the entries; an empty list is told before the window shows.
    void load();

    void frm26_cmdVerbinden_Click();
    void frm26_cmdTrennen_Click();

    quint64 handle() const;

private:
    void dialFinished(quint64 handle, const QString& reason);
    void setLinked(bool linked);

    DialUpSystem& m_system;
    Prompter& m_prompter;
    Shell& m_shell;
    QString m_dialled;
    QListWidget* m_list = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QPushButton* m_web = nullptr;
    QPushButton* m_mail = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace tarvex
