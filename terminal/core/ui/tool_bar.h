#pragma once

#include "terminal/core/function_bar.h"

#include <QIcon>
#include <QList>
#include <QToolBar>

#include <functional>

namespace tarvex {

class FunctionTable;

// The function bar frm1_tb1, generated from the function table: twelve fixed buttons, each
// showing its function's caption, tool tip and image and enabled while the function is,
// then the buttons the operator added (a function, a script or characters to send).
class ToolBar : public QToolBar
{
    Q_OBJECT
public:
    struct Slot
    {
        int index;    // position in the toolbar, separators included
        int function;
    };
    // The fixed buttons of the main window's function bar.
    static const QList<Slot>& layout();
    // The image list frm1_iml1: one image per fixed button, in button order.
    static QIcon image(int index);

    ToolBar(FunctionTable& functions, QWidget* parent = nullptr);

    // The operator's buttons, shown after the fixed ones; caption and tool tip come from
    // the caller (it knows the script names).
    struct Labels
    {
        QString caption;
        QString toolTip;
    };
    void setUserButtons(const QList<FunctionButton>& buttons,
                        const std::function<Labels(const FunctionButton&)>& labels);

    // Enabled states follow the function table; a function nothing has registered yet is
    // greyed.
    void refreshStates();

signals:
    void buttonClicked(int index, int function);
    void userButtonClicked(const tarvex::FunctionButton& button);

private:
    FunctionTable& m_functions;
    QList<std::pair<QAction*, int>> m_buttons;
    QList<QAction*> m_userActions;
};

} // namespace tarvex
