#pragma once

#include <QString>

class Prompter;

namespace tarvex {

class ErrorReport;
class TerminalState;
class ViewRoles;

// The one reader of the terminal's line-oriented data files. It owns the framing:
// existence check, the read loop that stops at the first empty line, the wait cursor and
// the pause of serial polling while the alarm list is reloaded.
//   mode 1 Alarmierungen.dat  -> active alarm list
//   mode 2 StatistikS.dat     -> sent statistics
//   mode 3 StatistikE.dat     -> received statistics
//   mode 4 Zeitplaner.dat     -> active scheduler list
//   mode 5 menu structure     -> menu structure table
//   mode 6 Scripts.ini        -> script table
class DataLoader
{
public:
    DataLoader(TerminalState& state, Prompter& prompter, ErrorReport& errors, ViewRoles& view);

    // silent 0 reports a missing file; any other value stays quiet.
    void DatenIn(int mode, int silent, const QString& file);

private:
    void readLines(int mode, const QString& file);

    TerminalState& m_state;
    Prompter& m_prompter;
    ErrorReport& m_errors;
    ViewRoles& m_view;
};

} // namespace tarvex
