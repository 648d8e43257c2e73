#include "terminal/core/settings_file.h"

#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"

namespace tarvex {

SettingsFile::SettingsFile(TerminalState& state, ErrorReport& errors)
    : m_state(state), m_errors(errors), m_ini(state.folders.dataDir() + QStringLiteral("kunde.ini"))
{
}

void SettingsFile::IniDateien(int mode)
{
    guarded(m_errors, "IniDateien", mode, m_ini.path(), [&] { m_ini.IniDateien(mode, m_state.settings); });
}

} // namespace tarvex
