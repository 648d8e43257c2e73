#pragma once

#include <QString>

#include <functional>

namespace tarvex {

struct TerminalContext;

// Loads a script group over the working file (mode 1) and saves the current table as a
// group (mode 2). Group files live in the customer folder's "Scripts/".
class ScriptGroups
{
public:
    explicit ScriptGroups(TerminalContext& context) : m_ctx(context) {}

    // After a group was loaded into the table: rebuild the script bar.
    std::function<void()> tableLoaded;
    // The remembered group text changed (tool tip of the group button).
    std::function<void(const QString& text)> groupRemembered;
    // A group was saved under this name (tool tip of the script list).
    std::function<void(const QString& name)> groupSaved;

    // Returns the chosen path, empty when cancelled or refused.
    QString ScriptgruppeInOut(int mode, const QString& suggestedName);

    // The steps after the dialogs, for a given path.
    bool loadGroup(const QString& path);
    bool saveGroup(const QString& path);

private:
    bool acceptedName(const QString& name, bool saving);

    TerminalContext& m_ctx;
};

} // namespace tarvex
