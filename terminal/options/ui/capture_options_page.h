#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
struct TerminalContext;

// The capture page of the options (frm7): capture file, capture switches, time and line
// stamps and the monitor file's fresh start. It shows the settings with load() and
// writes them back with apply(); the options window that hosts it decides when.
class CaptureOptionsPage : public QWidget
{
    Q_OBJECT
public:
    explicit CaptureOptionsPage(TerminalContext& context, QWidget* parent = nullptr);

    void load();
    void apply();

private:
    void frm7_cmdAuswahl_Click();
    void frm7_chkCaptZeit_Click(bool checked);
    void frm7_cmdIndex_Click();
    void frm7_cmdLoeschen_Click();
    void frm7_cmdCapture_Click();
    QString captureFile() const;

    TerminalContext& m_ctx;
    QLineEdit* m_file = nullptr;
    QCheckBox* m_capture = nullptr;
    QCheckBox* m_binary = nullptr;
    QCheckBox* m_dateTime = nullptr;
    QCheckBox* m_timeStamp = nullptr;
    QCheckBox* m_indexStamp = nullptr;
    QCheckBox* m_newMonitor = nullptr;
};
