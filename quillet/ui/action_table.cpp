#include "quillet/ui/action_table.h"

#include <QAction>

namespace quillet {

QAction* ActionTable::add(const Command& command, QObject* owner)
{
    auto* action = new QAction(QString::fromUtf8(command.caption), owner);
    action->setObjectName(QLatin1String(command.name));
    action->setStatusTip(QString::fromUtf8(command.help));
    action->setCheckable(command.checkable);
    if (!command.keys.isEmpty()) {
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    m_byId.insert(command.id, action);
    m_byName.insert(action->objectName(), action);
    return action;
}

void ActionTable::remove(int id)
{
    if (QAction* a = m_byId.take(id))
        m_byName.remove(a->objectName());
}

void ActionTable::setHandler(int id, QObject* context, std::function<void()> handler)
{
    if (QAction* a = action(id))
        QObject::connect(a, &QAction::triggered, context, [handler = std::move(handler)] { handler(); });
}

void ActionTable::setEnabledRule(int id, std::function<bool()> rule)
{
    if (QAction* a = action(id))
        m_rules.emplace_back(a, std::move(rule));
}

void ActionTable::updateEnabled() const
{
    for (const auto& [action, rule] : m_rules)
        action->setEnabled(rule());
}

bool ActionTable::trigger(int id) const
{
    QAction* a = action(id);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

} // namespace quillet
