#pragma once

#include "terminal/core/function_bar.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace tarvex {

struct TerminalContext;

// The function bar dialog frm27: the operator's own buttons of the function bar. Each runs
// a program function of the menu, a script of the current group or sends characters, and
// shows one of the bar's twelve images. OK stores the list in kunde.ini; Cancel keeps it.
class FunctionBarDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FunctionBarDialog(TerminalContext& context, QWidget* parent = nullptr);

    // The menu functions offered: every item of the menu structure with a number from 100
    // on, in file order, as "nnn  caption".
    static QList<std::pair<int, QString>> menuFunctions(const QStringList& menuTable);

    const QList<FunctionButton>& buttons() const { return m_buttons; }

    void frm27_cmdEintragen_Click();
    void frm27_cmdLoeschen_Click();
    void frm27_cmdReset_Click();

protected:
    void accept() override;

private:
    void chooseKind();
    void fillButtonList();
    QString label(const FunctionButton& b) const;

    TerminalContext& m_ctx;
    QList<FunctionButton> m_buttons;
    QListWidget* m_images = nullptr;
    QListWidget* m_list = nullptr;
    QRadioButton* m_optFunction = nullptr;
    QRadioButton* m_optScript = nullptr;
    QRadioButton* m_optCharacters = nullptr;
    QComboBox* m_functions = nullptr;
    QComboBox* m_scripts = nullptr;
    QLineEdit* m_characters = nullptr;
};

} // namespace tarvex
