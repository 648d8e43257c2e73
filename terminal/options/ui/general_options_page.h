#pragma once

#include "terminal/options/ui/option_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tarvex {

struct TerminalContext;

// The general page of the options (frm5): start delay and start script, ending without the
// question, the main window's place and start state, shortcut texts in the menu, the export
// program of the list windows and the debug display.
class GeneralOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    explicit GeneralOptionsPage(TerminalContext& context, QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;
    std::optional<Problem> check() const override;

private:
    void frm5_cmdExport_Click();

    TerminalContext& m_ctx;
    QLineEdit* m_delay = nullptr;
    QCheckBox* m_scriptStart = nullptr;
    QComboBox* m_scriptText = nullptr;
    QCheckBox* m_noEndQuestion = nullptr;
    QCheckBox* m_coordinates = nullptr;
    QCheckBox* m_taskbar = nullptr;
    QRadioButton* m_normal = nullptr;
    QRadioButton* m_minimised = nullptr;
    QRadioButton* m_maximised = nullptr;
    QCheckBox* m_menuKeys = nullptr;
    QLineEdit* m_export = nullptr;
    QCheckBox* m_debug = nullptr;
};

} // namespace tarvex
