#pragma once

#include "terminal/options/ui/option_page.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tarvex {

struct TerminalContext;

// The password page of the options (frm6). Entering and deleting the password take effect at
// once, not only on OK: the page tells the window, which stores the password and the
// "ask at start" switch in the program's settings and writes kunde.ini.
class PasswordOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    // The stored form of a password needs the sum of its codes below 10000.
    static constexpr int kMaxLength = 32;
    static constexpr int kMinLength = 3;

    explicit PasswordOptionsPage(TerminalContext& context, QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;

signals:
    // The operator entered (or, with an empty text, deleted) the password; passStart is the
    // page's "ask at start" switch.
    void passwordCommitted(const QString& password, bool passStart);

private:
    void frm6_cmdEintragen_Click();
    void frm6_cmdLoeschen_Click();
    void showDefined(bool defined);

    TerminalContext& m_ctx;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_second = nullptr;
    QCheckBox* m_atStart = nullptr;
    QLabel* m_state = nullptr;
};

} // namespace tarvex
