#pragma once

#include "terminal/options/ui/option_page.h"

class QComboBox;
class QLineEdit;

namespace tarvex {

// The mail page of the options: the mail server zendor sends the terminal's mails through
// (kunde.ini section "Mail"), so that nobody has to edit the file by hand.
class MailOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    static constexpr int kMaxTimeLimit = 600;

    explicit MailOptionsPage(QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;
    std::optional<Problem> check() const override;

private:
    QLineEdit* m_server = nullptr;
    QLineEdit* m_port = nullptr;
    QComboBox* m_encryption = nullptr;
    QLineEdit* m_sender = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_timeLimit = nullptr;
};

} // namespace tarvex
