#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class Terminal;

// The send-characters dialog frm25: a character, how often and the pause between sends.
class SendCharactersDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SendCharactersDialog(Terminal& terminal, QWidget* parent = nullptr);

    // The items offered: code with three digits, a blank and the name or the character.
    static QStringList characterItems();

    void frm25_cmdSenden_Click();

protected:
    void done(int result) override;

private:
    Terminal& m_terminal;
    QComboBox* m_character = nullptr;
    QLineEdit* m_count = nullptr;
    QLineEdit* m_pause = nullptr;
    QLabel* m_progress = nullptr;
    bool m_cancel = false;
    bool m_running = false;
};
