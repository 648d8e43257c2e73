#include "terminal/core/function_captions.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"

namespace tarvex {

void describeFunctions(FunctionTable& f)
{
    struct Text
    {
        int number;
        const char* caption;
        const char* toolTip;
    };
    static const Text texts[] = {
        {Fn::Schnittstelle, "Neu", "Parameter neu anlegen"},
        {Fn::ParameterLaden, "Laden", "Parameter laden"},
        {Fn::ParameterSichern, "Sichern", "Parameter sichern"},
        {Fn::AnzeigeDrucken, "Drucken", "Anzeige ausdrucken"},
        {Fn::AnzeigeKopieren, "Kopieren", "Anzeige in ZW kopieren"},
        {Fn::AnzeigeLoeschen, "Löschen", "Anzeige löschen"},
        {Fn::Suchen, "Suchen", "Daten suchen"},
        {Fn::AnzeigeImEditor, "Logbuch", "Logbuchverwaltung aufrufen"},
        {Fn::Zeitplaner, "Zeitplaner", "Zeitliche Vorgängen verwalten"},
        {Fn::Anmelden, "Passwort", "Benutzer anmelden"},
        {Fn::Optionen, "Optionen", "Allgemeine Einstellungen"},
        {Fn::Hilfe, "Hilfe", "Online-Hilfe aufrufen"},
    };
    for (const Text& t : texts)
        f.describe(t.number, QString::fromUtf8(t.caption), QString::fromUtf8(t.toolTip));
}

} // namespace tarvex
