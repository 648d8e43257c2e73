#include "terminal/connections/modem_module.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/serial/serial_module.h"

namespace tarvex {

ModemModule::ModemModule(TerminalContext& context, SerialModule& serial) : m_modem(context, serial.line())
{
    struct Registration
    {
        int number;
        int code;
        const char* caption;
        const char* toolTip;
    };
    static const Registration kFunctions[] = {
        {Fn::Modem305, ModemFunctions::Initialisieren, "Modem initialisieren", "Angeschlossenes Modem initialisieren"},
        {Fn::Modem316, ModemFunctions::Trennen, "Modem trennen", "Aktive Modemverbindung trennen"},
        {Fn::AnrufAnnehmen, ModemFunctions::AnrufUmschalten, "Anrufannahme",
         "Eingehende Anrufe automatisch annehmen"},
        {Fn::Modem341, ModemFunctions::Annehmen, "Anruf annehmen", "Anstehenden Anruf annehmen"},
        {Fn::Waehlhilfe, ModemFunctions::Waehlhilfe, "Wählhilfe", "Wählhilfe des Systems starten"},
    };
    // The modem lives as long as the program's modules; the table does not outlive them.
    for (const Registration& r : kFunctions) {
        context.functions.add(r.number, FunctionEntry{[this, code = r.code] { m_modem.ModemFunktionen(code); },
                                                      QString::fromUtf8(r.caption), QString::fromUtf8(r.toolTip),
                                                      {}, {}, {}});
    }
}

} // namespace tarvex
