#pragma once

#include "terminal/options/ui/option_page.h"

class QCheckBox;
class QLineEdit;

namespace tarvex {

struct TerminalContext;

// The capture page of the options (frm7): capture file, capture switches, time and line
// stamps, the monitor file's fresh start and the reconnect after an unplugged device.
class CaptureOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    explicit CaptureOptionsPage(TerminalContext& context, QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;

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
    QCheckBox* m_reconnect = nullptr;
};

} // namespace tarvex
