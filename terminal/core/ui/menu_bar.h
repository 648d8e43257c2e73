#pragma once

#include "terminal/core/menu_model.h"

#include <QList>
#include <QMenuBar>

namespace tarvex {

class FunctionTable;

// The menu bar frm1_mnu, built from the menu structure table: every item carries its
// program function number; enabled and check states follow the function table.
class MenuBar : public QMenuBar
{
    Q_OBJECT
public:
    MenuBar(FunctionTable& functions, QWidget* parent = nullptr);

    // Builds the bar anew. The saved parameter sets (file names, at most ten used) go into
    // the first menu as items 120 to 129 at the positions 15 to 24.
    void build(const QList<MenuModel::Submenu>& menus, const QStringList& parameterSets);
    // Enabled and check states as the function table has them now.
    void refreshStates();
    // The item with this function number (the first one), or nullptr.
    QAction* action(int function) const;

signals:
    void functionChosen(int function);
    void functionHovered(int function, const QString& description);

private:
    QAction* addItem(QMenu* menu, QAction* before, const QString& text, int function, const QString& description);

    FunctionTable& m_functions;
    QList<std::pair<QAction*, int>> m_items;
};

} // namespace tarvex
