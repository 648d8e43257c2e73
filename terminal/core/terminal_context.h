#pragma once

// Whoever is built from the context uses its parts: their types come with it.
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "terminal/core/connection_control.h"
#include "terminal/core/data_bus.h"
#include "terminal/core/data_loader.h"
#include "terminal/core/error_report.h"
#include "terminal/core/function_table.h"
#include "terminal/core/help_desk.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/settings_file.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"

#include <cassert>

namespace tarvex {

class SerialPort;

// What a subsystem of the terminal is built from: the program-wide state, the platform
// services, the error report, the function table, the received-data bus, the window's
// roles and the help. Modules take this, never the whole terminal.
struct TerminalContext
{
    TerminalState& state;
    Prompter& prompter;
    Clock& clock;
    Shell& shell;
    SerialPort& port;
    ErrorReport& errors;
    SettingsFile& settingsFile;
    DataLoader& loader;
    FunctionTable& functions;
    DataBus& bus;
    ViewRoles& view;
    HelperPrograms& programs;
    // The help at a window's keyword, once the help window is built.
    HelpDesk& help;

    // The connection, once the serial subsystem is built.
    ConnectionControl& connection() const
    {
        assert(m_connection);
        return *m_connection;
    }
    void setConnection(ConnectionControl* connection) { m_connection = connection; }

    ConnectionControl* m_connection = nullptr;
};

} // namespace tarvex
