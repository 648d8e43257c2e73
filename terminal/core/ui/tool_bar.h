#pragma once

#include <QList>
#include <QToolBar>

namespace tarvex {

class FunctionTable;

// The toolbar frm1_tb1, generated from the function table: each button shows its
// function's caption and tool tip and is enabled while the function is.
class ToolBar : public QToolBar
{
    Q_OBJECT
public:
    struct Slot
    {
        int index;    // position in the toolbar, separators included
        int function;
    };
    // The buttons of the main window's toolbar.
    static const QList<Slot>& layout();

    ToolBar(FunctionTable& functions, QWidget* parent = nullptr);

    // Enabled states follow the function table.
    void refreshStates();

signals:
    void buttonClicked(int index, int function);

private:
    FunctionTable& m_functions;
    QList<std::pair<QAction*, int>> m_buttons;
};

} // namespace tarvex
