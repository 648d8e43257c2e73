#pragma once

#include "terminal/script/continuous_send.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace tarvex {

class SerialLine;
struct TerminalContext;

// The continuous send test frm24: what is sent (a text block, the lines of a text file or
// a script), how often and with which pause; the counter and the blinking indicator while
// it runs. The window is modeless; closing it while a test runs ends the test.
class ContinuousSendDialog : public QDialog
{
    Q_OBJECT
public:
    // runScript starts a script list item and returns once the script has ended.
    ContinuousSendDialog(TerminalContext& context, SerialLine& line,
                         std::function<ContinuousSend::ScriptStart(const QString&)> runScript,
                         QWidget* parent = nullptr);

    // Fills the script list from the table and selects the text block, as every opening does.
    void prepare();
    bool running() const { return m_send.running(); }

    // The repetition counts offered.
    static QStringList countItems();
    // The pauses offered, in milliseconds.
    static QStringList pauseItems();

    void frm24_cmdStart_Click();
    void frm24_cmdBeenden_Click();
    void frm24_cmdAuswahl_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void selectSource(int option);
    void updatePauseEnabled();
    void setRunning(bool running);
    void reportEnd(ContinuousSend::End end, const QString& data);

    TerminalContext& m_ctx;
    ContinuousSend m_send;
    QRadioButton* m_options[3] = {};
    QLineEdit* m_text = nullptr;
    QLineEdit* m_file = nullptr;
    QPushButton* m_choose = nullptr;
    QComboBox* m_script = nullptr;
    QComboBox* m_count = nullptr;
    QComboBox* m_pause = nullptr;
    QLabel* m_seconds = nullptr;
    QLabel* m_counter = nullptr;
    QLabel* m_indicator = nullptr;
    QTimer* m_blink = nullptr;
    QLabel* m_abortHint = nullptr;
    QLabel* m_abortBack = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_end = nullptr;
};

} // namespace tarvex
