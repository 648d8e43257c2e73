#include "terminal/core/ui/menu_bar.h"

#include "terminal/core/function_table.h"

#include <QAction>
#include <QMenu>

namespace tarvex {

namespace {

constexpr int kFirstSetFunction = 120;
constexpr int kSetPosition = 15; // the first set is the 15th entry of the first menu
constexpr int kMaxSets = 10;

} // namespace

MenuBar::MenuBar(FunctionTable& functions, QWidget* parent) : QMenuBar(parent), m_functions(functions)
{
    setObjectName(QStringLiteral("frm1_mnu"));
    connect(&m_functions, &FunctionTable::statesChanged, this, &MenuBar::refreshStates);
}

QAction* MenuBar::addItem(QMenu* menu, QAction* before, const QString& text, int function, const QString& description)
{
    auto* action = new QAction(text, menu);
    action->setObjectName(QStringLiteral("frm1_mnu_%1").arg(function));
    menu->insertAction(before, action);
    connect(action, &QAction::triggered, this, [this, function] { emit functionChosen(function); });
    connect(action, &QAction::hovered, this, [this, function, description] { emit functionHovered(function, description); });
    m_items.append({action, function});
    return action;
}

void MenuBar::build(const QList<MenuModel::Submenu>& menus, const QStringList& parameterSets)
{
    clear();
    m_items.clear();
    for (const MenuModel::Submenu& submenu : menus) {
        QMenu* menu = addMenu(submenu.caption);
        menu->setObjectName(QStringLiteral("frm1_mnuMenu%1").arg(submenu.number));
        for (const MenuModel::Entry& e : submenu.entries) {
            if (e.separator)
                menu->addSeparator();
            else
                addItem(menu, nullptr, e.caption, e.function, e.description);
        }
        if (submenu.number != 1)
            continue;
        const QList<QAction*> existing = menu->actions();
        QAction* before = existing.size() >= kSetPosition ? existing.at(kSetPosition - 1) : nullptr;
        for (int i = 0; i < parameterSets.size() && i < kMaxSets; ++i) {
            addItem(menu, before, QString::number(i) + QStringLiteral("  ") + parameterSets.at(i), kFirstSetFunction + i,
                    QStringLiteral("Parametersatz laden"));
        }
    }
    refreshStates();
}

void MenuBar::refreshStates()
{
    for (const auto& [action, function] : std::as_const(m_items)) {
        action->setEnabled(m_functions.isEnabled(function));
        action->setCheckable(m_functions.isCheckable(function));
        if (action->isCheckable())
            action->setChecked(m_functions.isChecked(function));
    }
}

QAction* MenuBar::action(int function) const
{
    for (const auto& [action, number] : m_items) {
        if (number == function)
            return action;
    }
    return nullptr;
}

} // namespace tarvex
