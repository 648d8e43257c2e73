#include "terminal/core/ui/tool_bar.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"

namespace tarvex {

const QList<ToolBar::Slot>& ToolBar::layout()
{
    static const QList<Slot> buttons = {
        {1, Fn::Schnittstelle},   {2, Fn::ParameterLaden}, {3, Fn::ParameterSichern}, {5, Fn::AnzeigeDrucken},
        {6, Fn::AnzeigeKopieren}, {7, Fn::AnzeigeLoeschen}, {8, Fn::Suchen},         {10, Fn::AnzeigeImEditor},
        {11, Fn::Zeitplaner},     {13, Fn::Anmelden},       {15, Fn::Optionen},       {16, Fn::Hilfe},
    };
    return buttons;
}

ToolBar::ToolBar(FunctionTable& functions, QWidget* parent) : QToolBar(parent), m_functions(functions)
{
    setObjectName(QStringLiteral("frm1_tb1"));
    setMovable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    int position = 1;
    for (const Slot& b : layout()) {
        while (position < b.index) {
            addSeparator();
            ++position;
        }
        QAction* a = addAction(m_functions.caption(b.function));
        a->setObjectName(QStringLiteral("frm1_tb1_Button%1").arg(b.index));
        a->setToolTip(m_functions.toolTip(b.function));
        connect(a, &QAction::triggered, this, [this, b] { emit buttonClicked(b.index, b.function); });
        m_buttons.append({a, b.function});
        ++position;
    }
    connect(&m_functions, &FunctionTable::statesChanged, this, &ToolBar::refreshStates);
}

void ToolBar::refreshStates()
{
    for (const auto& [action, function] : m_buttons)
        action->setEnabled(m_functions.isEnabled(function));
}

} // namespace tarvex
