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
    if (mode == 2 && m_writeFailing) {
        try {
            m_ini.IniDateien(mode, m_state.settings);
            m_writeFailing = false;
        } catch (const std::exception&) {
            // Reported when it first failed; the settings stay in memory.
        }
        return;
    }
    QStringList damaged;
    const bool ok =
        guarded(m_errors, "IniDateien", mode, m_ini.path(), [&] { m_ini.IniDateien(mode, m_state.settings, &damaged); });
    if (mode == 1)
        m_passwordDamaged = !damaged.isEmpty();
    if (mode == 2)
        m_writeFailing = !ok;
}

} // namespace tarvex
