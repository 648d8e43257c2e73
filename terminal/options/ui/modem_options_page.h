#pragma once

#include "terminal/options/ui/option_page.h"

class QCheckBox;
class QLineEdit;

namespace tarvex {

struct TerminalContext;

// The modem page of the options (frm15): the four modem commands, the dial prefix of the
// line type and the automatic acceptance of calls.
class ModemOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    explicit ModemOptionsPage(TerminalContext& context, QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;

private:
    void frm15_cmdStandard_Click();

    TerminalContext& m_ctx;
    QLineEdit* m_init = nullptr;
    QLineEdit* m_dial = nullptr;
    QLineEdit* m_hangUp = nullptr;
    QLineEdit* m_answer = nullptr;
    QCheckBox* m_acceptCalls = nullptr;
};

} // namespace tarvex
