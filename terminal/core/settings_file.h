#pragma once

#include "terminal/core/kunde_ini.h"

namespace tarvex {

class ErrorReport;
class TerminalState;

// kunde.ini of the running terminal: read at start, written when settings change and at
// the end. A failed write is reported: settings the user changed must not vanish silently.
// It is reported once: the writes that follow (after every script, every dialog) fail for
// the same reason and are tried without a report until one succeeds again.
class SettingsFile
{
public:
    SettingsFile(TerminalState& state, ErrorReport& errors);

    // 1 reads every key into the settings, 2 writes them all.
    void IniDateien(int mode);
    const KundeIni& kundeIni() const { return m_ini; }
    // The last write failed (and was reported).
    bool writeFailing() const { return m_writeFailing; }
    // The stored password did not read back (damaged or edited by hand) and was dropped at
    // the last read; the program runs without one until a new password is defined.
    bool passwordDamaged() const { return m_passwordDamaged; }

private:
    TerminalState& m_state;
    ErrorReport& m_errors;
    KundeIni m_ini;
    bool m_writeFailing = false;
    bool m_passwordDamaged = false;
};

} // namespace tarvex
