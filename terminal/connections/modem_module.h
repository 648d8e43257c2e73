#pragma once

#include "terminal/connections/modem_functions.h"

namespace tarvex {

class SerialModule;
struct TerminalContext;

// The modem's program functions: 305 initialise, 316 hang up, 340 automatic call
// acceptance on or off, 341 answer a call, 355 the system's phone dialer. The phone book
// (315, 350) is a window and registered by the window module.
class ModemModule
{
public:
    ModemModule(TerminalContext& context, SerialModule& serial);

    ModemFunctions& modem() { return m_modem; }

private:
    ModemFunctions m_modem;
};

} // namespace tarvex
