#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tarvex {

class SerialModule;
struct TerminalContext;

// The send-characters dialog frm25: a character, how often and the pause between sends.
class SendCharactersDialog : public QDialog
{
    Q_OBJECT
public:
    SendCharactersDialog(TerminalContext& context, SerialModule& serial, QWidget* parent = nullptr);

    // The items offered: code with three digits, a blank and the name or the character.
    static QStringList characterItems();

    void frm25_cmdSenden_Click();

protected:
    void done(int result) override;

private:
    TerminalContext& m_ctx;
    SerialModule& m_serial;
    QComboBox* m_character = nullptr;
    QLineEdit* m_count = nullptr;
    QLineEdit* m_pause = nullptr;
    QLabel* m_progress = nullptr;
    bool m_cancel = false;
    bool m_running = false;
};

} // namespace tarvex
