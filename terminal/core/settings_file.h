#pragma once

#include "terminal/core/kunde_ini.h"

namespace tarvex {

class ErrorReport;
class TerminalState;

// kunde.ini of the running terminal: read at start, written when settings change and at
// the end. A failed write is reported: settings the user changed must not vanish silently.
class SettingsFile
{
public:
    SettingsFile(TerminalState& state, ErrorReport& errors);

    // 1 reads every key into the settings, 2 writes them all.
    void IniDateien(int mode);
    const KundeIni& kundeIni() const { return m_ini; }

private:
    TerminalState& m_state;
    ErrorReport& m_errors;
    KundeIni m_ini;
};

} // namespace tarvex
