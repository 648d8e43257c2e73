#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QObject;

namespace quillet {

// The commands of the editor's menus by number: caption, help line, shortcuts, what runs
// and when it is available. Menus, the toolbar, the right-click menu and whatever comes later
// (a user menu, numbered commands from elsewhere) all use the same QAction of a command.
class ActionTable {
public:
    struct Command {
        int id = 0;
        const char* name = "";  // the action's objectName
        const char* caption = "";  // menu text, "\t" before the shortcut shown
        const char* help = "";     // the status-bar line while the entry is highlighted
        QList<QKeySequence> keys;
        bool checkable = false;
    };

    // Creates the command's action (owned by `owner`).
    QAction* add(const Command& command, QObject* owner);
    // Forgets a command without a rule (the user menu's); deleting its action is the caller's.
    void remove(int id);
    QAction* action(int id) const { return m_byId.value(id); }
    QAction* action(const QString& name) const { return m_byName.value(name); }
    const QHash<QString, QAction*>& byName() const { return m_byName; }

    // What the command does; an action without a handler does nothing.
    void setHandler(int id, QObject* context, std::function<void()> handler);
    // When the command is available; commands without a rule always are.
    void setEnabledRule(int id, std::function<bool()> rule);
    // Applies every rule.
    void updateEnabled() const;
    // Runs an available command as if it was chosen; false when unknown or unavailable.
    bool trigger(int id) const;

private:
    QHash<int, QAction*> m_byId;
    QHash<QString, QAction*> m_byName;
    std::vector<std::pair<QAction*, std::function<bool()>>> m_rules;
};

} // namespace quillet
