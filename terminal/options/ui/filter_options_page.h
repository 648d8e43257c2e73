#pragma once

#include "terminal/options/ui/option_page.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace tarvex {

struct TerminalContext;

// The filter page of the options (frm10): the characters the receive filter drops, the
// filter switch, the code page conversion and its direction, and the case conversion.
class FilterOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    explicit FilterOptionsPage(TerminalContext& context, QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;

    // "Return" for 13 and the other names the choice offers; the code as a number otherwise.
    static QString characterName(int code);

private:
    void frm10_cmdEintragen_Click();
    void frm10_cmdLoeschen_Click();
    // The code the choice names: a name of the list or a number typed; -1 when neither.
    int chosenCode() const;
    void showChosen();
    void showList();

    TerminalContext& m_ctx;
    QComboBox* m_choice = nullptr;
    QLabel* m_chosen = nullptr;
    QListWidget* m_list = nullptr;
    QCheckBox* m_filter = nullptr;
    QCheckBox* m_convert = nullptr;
    QRadioButton* m_ansiOem = nullptr;
    QRadioButton* m_oemAnsi = nullptr;
    QCheckBox* m_upper = nullptr;
    QCheckBox* m_lower = nullptr;
    QList<int> m_codes;
};

} // namespace tarvex
