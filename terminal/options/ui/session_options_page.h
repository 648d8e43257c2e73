#pragma once

#include "terminal/options/ui/option_page.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tarvex {

// The session page of the options (frm22): characters per line and font size of the
// session screen, and when a new session log starts.
class SessionOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 72;

    explicit SessionOptionsPage(QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;
    std::optional<Problem> check() const override;

private:
    QComboBox* m_width = nullptr;
    QLineEdit* m_fontSize = nullptr;
    QRadioButton* m_logByHand = nullptr;
    QRadioButton* m_logPerConnection = nullptr;
    QRadioButton* m_logPerStart = nullptr;
};

} // namespace tarvex
