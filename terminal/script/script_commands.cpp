#include "terminal/script/script_commands.h"

#include <QStringList>

namespace tarvex {

const std::array<ScriptKeyword, 35>& ScriptCommands::keywords()
{
    static const std::array<ScriptKeyword, 35> table{{
        {"ASCI", "x", "ASCI x       Sendet ein ASCII Zeichen x, z.B. 13 = Return"},
        {"ASCF", "x...", "ASCF x...    Sendet beliebig viele ASCII Zeichen, z.B. 27 91 90"},
        {"CTRL", "x", "CTRL x       Kombination senden z.B. CTRL C"},
        {"DATE", "x", "DATE x       Setzt das aktuelle Datum vom PC ein"},
        {"TIME", "x", "TIME x       Setzt die aktuelle Uhrzeit vom PC ein"},
        {"ECHO", "x", "ECHO x       Funktion 'Echo aus' (0 = aus,1 = aktiviert)"},
        {"PAUS", "x", "PAUS x       x. Sek. Pause einlegen"},
        {"WAIT", "x", "WAIT x       x Millisekunden Pause einlegen"},
        {"MARK", "x", "MARK x       Sprungmarke für andere Befehle (z.B. MARK Ende)"},
        {"GOTO", "x", "GOTO x       Springt direkt zur Sprungmarke MARK x"},
        {"EXIT", "x", "EXIT x       Script beenden mit oder ohne Hinweis x"},
        {"PRNT", "x", "PRNT x       Druckt akt. Anzeige (0 = komplet, 1 = ab Script)"},
        {"CLRB", "x", "CLRB x       Löscht die Anzeige (0 = komplet, 1 = ab letztem CLRB)"},
        {"LOAD", "x", "LOAD x       Lade Datei, z.B. LOAD c:\\autoexec.bat"},
        {"SCRI", "x", "SCRI x       Lade Script, z.B. SCRI Anmeldung"},
        {"SAVT", "x y", "SAVT x y     Sichert Anzeige in Textdatei (txt)"},
        {"SAVR", "x y", "SAVR x y     Sichert Anzeige in RichText-Datei"},
        {"INFO", "x", "INFO x       Informiert den User, z.B. INFO Jetzt Anlage reseten!"},
        {"PARA", "x y", "PARA x y     Fragt nach y (Ergebnis = PARE x=0...9)"},
        {"PARE", "x", "PARE x       Abfrageergebnis von PARA x y (x=0...9)"},
        {"PARZ", "x", ""},
        {"PARW", "x y", "PARW x       Platzhalter x neuen Wert y zuweisen (x=0...9, y = beliebig)"},
        {"IFPE", "x y z", "IFPE x y z   Wenn PARE(x) leer(y=0), dann gehe zu Sprungmarke z"},
        {"IFPV", "x y z w", "IFPE x y z w Vergleicht PARE(x) mit Wert w (siehe Online Hilfe)"},
        {"PADD", "x y", "PADD x y     Platzhalter x mit y addieren (x=0...9)"},
        {"PSUB", "x y", "PSUB x y     Platzhalter x mit y subtrahieren (x=0...9)"},
        {"PMUL", "x y", "PMUL x y     Platzhalter x mit y multiplizieren (x=0...9)"},
        {"PDIV", "x y", "PDIV x y     Platzhalter x mit y dividieren (x=0...9)"},
        {"PROG", "x y z", ""},
        {"MODW", "x", "MODW x       Modemverbindung aufbauen (z.B. MODW 061512797274)"},
        {"MODT", "x", "MODT x       Aktive Modemverbindung wird getrennt (x=0)"},
        {"VERT", "x", "VERT x       Serielle Verbindung auftrennen (x=0 sofort, x=1 Nach Abfrage)"},
        {"VERA", "x", "VERA x       Serielle Verbindung neu aktivieren  (x=0 sofort, x=1 Nach Abfrage)"},
        {"VERR", "x", "VERR x       Aktive serielle Verbindung reseten  (x=0 sofort, x=1 Nach Abfrage)"},
        {"WAVE", "x", "WAVE x       Spielt eine Sounddatei ab (wave)  (x=Sounddatei mit Pfad)"},
    }};
    return table;
}

QString ScriptCommands::overview()
{
    // The table is in overview order.
    QStringList lines{QStringLiteral("<>           Trennzeichen zwischen 2 Befehlen")};
    for (const ScriptKeyword& k : keywords()) {
        if (*k.help)
            lines.append(QString::fromUtf8(k.help));
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace tarvex
