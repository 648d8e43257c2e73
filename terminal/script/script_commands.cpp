#include "terminal/script/script_commands.h"

#include <algorithm>

namespace tarvex {

const std::array<ScriptKeyword, ScriptCommands::kCount>& ScriptCommands::keywords()
{
    static const std::array<ScriptKeyword, kCount> table{{
        {"ASCI", "x", "ASCI x       Sendet ein ASCII Zeichen x, z.B. 13 = Return",
         "ASCI x       Sendet direkt ein ASCII Zeichen, z.B. ASCI 13 = Return",
         "ASCII Zeichen (dt. American Standard Code for Information Interchange)", 0,
         "Ein ASCII Zeichen direkt senden"},
        {"ASCF", "x...", "ASCF x...    Sendet beliebig viele ASCII Zeichen, z.B. 27 91 90",
         "ASCF x...    Sendet beliebig viele ASCII Zeichen auf einmal, z.B. ASCF 27 91 90",
         "ASCIF Zeichenfolge (dt. American Standard Code for Information Interchange)", 1,
         "Eine ASCII-Folge direkt senden"},
        {"CTRL", "x", "CTRL x       Kombination senden z.B. CTRL C",
         "CTRL x       Sendet eine Ctrl /(Strg) Tastenkombination, z.B. Ctrl+c= CTRL C",
         "Control (dt. Steuerung => Taste Strg)", 2, "Information für Befehl CTRL"},
        {"DATE", "x", "DATE x       Setzt das aktuelle Datum vom PC ein",
         "DATE x       Aktuelles Tagesdatum wird übergeben (x= Format, siehe Hilfe)", "Date (dt. Datum)", 3,
         "Information"},
        {"TIME", "x", "TIME x       Setzt die aktuelle Uhrzeit vom PC ein",
         "TIME x       Aktuelle Tageszeit wird übergeben (x=Format, siehe Hilfe)", "Time (dt. Uhrzeit)", 4,
         "Information"},
        {"ECHO", "x", "ECHO x       Funktion 'Echo aus' (0 = aus,1 = aktiviert)",
         "ECHO x       Setzt Funktion 'Echo aus' (0 = nicht aktiviert, 1 = aktiviert)", "Echo (dt. Reflektion)", 5,
         "Information für Befehl ECHO"},
        {"PAUS", "x", "PAUS x       x. Sek. Pause einlegen",
         "PAUS x       Pause von x Sekunden wird eingelegt (z.B. PAUS 3 = 3 Sek. warten)",
         "Pause (dt. Unterbrechung, Pause)", 6, "Information für Befehl PAUS"},
        {"WAIT", "x", "WAIT x       x Millisekunden Pause einlegen",
         "WAIT x       Pause von x Millisekunden wird eingelegt (z.B. WAIT 20 = 20 Millisek. warten)",
         "Warten (dt. Unterbrechung, Pause)", 7, "Information für Befehl WAIT"},
        {"MARK", "x", "MARK x       Sprungmarke für andere Befehle (z.B. MARK Ende)",
         "MARK x       Sprungmarke für andere Befehle wie IFPE (z.B. MARK Abbruch)", "Markierung (Sprungmarke)", 9,
         "Information für Befehl MARK"},
        {"GOTO", "x", "GOTO x       Springt direkt zur Sprungmarke MARK x",
         "GOTO x       Springt direkt zur Sprungmarke MARK x", "Goto (dt. Gehe zu)", 8,
         "Information für Befehl GOTO"},
        {"EXIT", "x", "EXIT x       Script beenden mit oder ohne Hinweis x",
         "EXIT x       Script wird mit oder ohne Hinweis x beendet (z.B. EXIT oder EXIT Abbruch wegen fehlender "
         "Angaben.)",
         "Exit (dt. Ausgang)", 10, "Information für Befehl EXIT"},
        {"PRNT", "x", "PRNT x       Druckt akt. Anzeige (0 = komplet, 1 = ab Script)",
         "PRNT x       Druckt aktuelle Anzeige (0 = kompl. Anzeige, 1 = ab Scriptstart)", "Print (dt. Drucken)", 11,
         "Information für Befehl PRNT"},
        {"CLRB", "x", "CLRB x       Löscht die Anzeige (0 = komplet, 1 = ab letztem CLRB)",
         "CLRB x       Löscht die Anzeige (0 = komplet, 1 = ab letztem CLRB)", "Clear B (dt. Lösche Bildschirm)", 12,
         "Information für Befehl CLRB"},
        {"LOAD", "x", "LOAD x       Lade Datei, z.B. LOAD c:\\autoexec.bat",
         "LOAD x       Lädt eine Textdatei und sendet deren Inhalt (z.B. LOAD c:\\autoexec.bat)", "Load (dt. Laden)",
         13, "Information für Befehl LOAD"},
        {"SCRI", "x", "SCRI x       Lade Script, z.B. SCRI Anmeldung",
         "SCRI x       Auswahl eines eingerichteten Scripts, dessen Befehle mit in das aktuelle Script eingebunden "
         "werden.",
         "Script (dt. Script, Ablauf von Befehlen => Makrofunktion)", 14, "Information für Befehl SCRI"},
        {"SAVT", "x y", "SAVT x y     Sichert Anzeige in Textdatei (txt)",
         "SAVT x y     Sichert die aktuelle Anzeige als Textdatei im Format ANSI (txt)",
         "Save T (dt. Sichere Text => Ansi)", 15, "Information für Befehl SAVT"},
        {"SAVR", "x y", "SAVR x y     Sichert Anzeige in RichText-Datei",
         "SAVR x y     Sichert die aktuelle Anzeige als Textdatei im Format RichText (rtf)",
         "Save R (dt. Sichere RichText = RTF)", 16, "Information für Befehl SAVR"},
        {"INFO", "x", "INFO x       Informiert den User, z.B. INFO Jetzt Anlage reseten!",
         "INFO x       Informiert den User, z.B. INFO Jetzt Anlage reseten!", "Info (dt. Information => Abgekürzt)",
         17, "Information für Befehl INFO"},
        {"PARA", "x y", "PARA x y     Fragt nach y (Ergebnis = PARE x=0...9)",
         "PARA x y     Abfrage nach Parameter x, z.B. PARA 0 Welche Rufnummer?",
         "Parameter Abfrage (Abfrage y für Parameter x = 0...9)", 18, "Information für den Befehl PARA x y"},
        {"PARE", "x", "PARE x       Abfrageergebnis von PARA x y (x=0...9)",
         "PARE x       Ergebnis von Abfrage PARA x y (x=0...9)",
         "Parameter Eingabe (Parameterplatzhalter aus x = 0...9)", 19, "Information"},
        {"PARZ", "x", "", "PARZ x       Ergebnis von Abfrage PARA x y (x=0...9)",
         "Parameter Zeigen (Parameterinhalt zeigen x=0...9)", 20, "Information für den Befehl PARZ x"},
        {"PARW", "x y", "PARW x       Platzhalter x neuen Wert y zuweisen (x=0...9, y = beliebig)",
         "PARW x y     Platzhalter x neuen Wert y zuweisen.", "Parameter Wert (Parameter x neuen Wert zuweisen)", 21,
         "Information für den Befehl PARW x y"},
        {"IFPE", "x y z", "IFPE x y z   Wenn PARE(x) leer(y=0), dann gehe zu Sprungmarke z",
         "IFPE x y z   Wenn PARE(x) leer (y=0 (nicht leer y>0), dann gehe zu Sprungmarke z",
         "If Parameter Eingabe (Parameter x auf Inhalt prüfen => y = Wenn Parameter dann ...)", 23,
         "Information für den Befehl IFPE x y z"},
        {"IFPV", "x y z w", "IFPE x y z w Vergleicht PARE(x) mit Wert w (siehe Online Hilfe)",
         "IFPE x y z w Wenn PARE(x) leer (y=0 x=w, y=1 x>w, y=2 x<w, y=3 x<>w), dann gehe zu Sprungmarke z",
         "If Parameter Vergleich (Parameter x mit Wert W vergleichen => y = Wenn Parameter dann ...)", 24,
         "Information für den Befehl IFPV x y z w"},
        {"PADD", "x y", "PADD x y     Platzhalter x mit y addieren (x=0...9)",
         "PADD x y     Platzhalter x mit y addieren (x=0...9)", "Parameter Wert x mit y addieren (Parameter x = 0...9)",
         25, "Information für den Befehl PADD x y"},
        {"PSUB", "x y", "PSUB x y     Platzhalter x mit y subtrahieren (x=0...9)",
         "PSUB x y     Platzhalter x mit y subtrahieren (x=0...9)",
         "Parameter Wert x mit y subtrahieren (Parameter x = 0...9)", 26, "Information für den Befehl PSUB x y"},
        {"PMUL", "x y", "PMUL x y     Platzhalter x mit y multiplizieren (x=0...9)",
         "PMUL x y     Platzhalter x mit y multiplizieren (x=0...9)",
         "Parameter Wert x mit y multiplizieren (Parameter x = 0...9)", 27, "Information für den Befehl PMUL x y"},
        {"PDIV", "x y", "PDIV x y     Platzhalter x mit y dividieren (x=0...9)",
         "PDIV x y     Platzhalter x mit y dividieren (x=0...9)",
         "Parameter Wert x mit y dividieren (Parameter x = 0...9)", 28, "Information für den Befehl PDIV x y"},
        {"PROG", "x y z", "",
         "PROG x y     Ext. Programm starten mit Übergabe Datei (Platzhalter x), y=0/1 ohne/mit Fehlermeldung",
         "Programm (externes) aufrufen und Daten übergeben", 22, "Information für den Befehl PROG x y z"},
        {"MODW", "x", "MODW x       Modemverbindung aufbauen (z.B. MODW 061512797274)",
         "MODW x       Modemverbindung aufbauen (z.B. MODW 061512797274)",
         "Modem Wahl (Anwahl einer Gegenstelle mittels Modem)", 29, "Information für den BEFEHL MODW"},
        {"MODT", "x", "MODT x       Aktive Modemverbindung wird getrennt (x=0)",
         "MODT x       Aktive Modemverbindung wird aufgetrennt (x=0)",
         "Modem Trennen (Trennt eine aktive Modemverbindung)", 30, "Information für den BEFEHL MODT"},
        {"VERT", "x", "VERT x       Serielle Verbindung auftrennen (x=0 sofort, x=1 Nach Abfrage)",
         "VERT x       Serielle Verbindung auftrennen (x=0 sofort, x=1 Nach Abfrage)",
         "Verbindung trennen (Serielle aktive Verbindung trennen)", 31, "Information für Befehl VERT"},
        {"VERA", "x", "VERA x       Serielle Verbindung neu aktivieren  (x=0 sofort, x=1 Nach Abfrage)",
         "VERA x       Serielle Verbindung neu aktivieren  (x=0 sofort, x=1 Nach Abfrage)",
         "Verbindung aktivieren (Deaktivierte serielle Verbindung aufbauen)", 32, "Information für Befehl VERA"},
        {"VERR", "x", "VERR x       Aktive serielle Verbindung reseten  (x=0 sofort, x=1 Nach Abfrage)",
         "VERR x       Aktive serielle Verbindung reseten  (x=0 sofort, x=1 Nach Abfrage)",
         "Verbindung reseten (Aktive serielle Verbindung kurzzeitig zurücksetzen)", 33,
         "Information für Befehl VERR"},
        {"WAVE", "x", "WAVE x       Spielt eine Sounddatei ab (wave)  (x=Sounddatei mit Pfad)",
         "WAVE x       Spielt eine Sounddatei ab (wave)  (x=Sounddatei mit Pfad)", "", 34, "Sounddatei abspielen"},
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

const ScriptKeyword* ScriptCommands::find(QStringView keyword)
{
    if (keyword.size() != 4)
        return nullptr;
    for (const ScriptKeyword& k : keywords()) {
        if (keyword == QLatin1String(k.keyword, 4))
            return &k;
    }
    return nullptr;
}

const std::array<const ScriptKeyword*, ScriptCommands::kCount>& ScriptCommands::reference()
{
    static const std::array<const ScriptKeyword*, kCount> order = [] {
        std::array<const ScriptKeyword*, kCount> o{};
        for (const ScriptKeyword& k : keywords())
            o.at(std::size_t(k.referenceRank)) = &k;
        return o;
    }();
    return order;
}

QString ScriptCommands::referenceEntry(const ScriptKeyword& k)
{
    return QString::fromUtf8(k.syntax).leftJustified(kSyntaxWidth) + QLatin1Char('|') + QString::fromUtf8(k.meaning)
           + QStringLiteral("||");
}

const QStringList& ScriptCommands::commandOrder()
{
    static const QStringList order{
        QStringLiteral("PAUS"), QStringLiteral("MARK"), QStringLiteral("ECHO"), QStringLiteral("LOAD"),
        QStringLiteral("PARA"), QStringLiteral("PRNT"), QStringLiteral("INFO"), QStringLiteral("SAVT"),
        QStringLiteral("SAVR"), QStringLiteral("IFPE"), QStringLiteral("MODW"), QStringLiteral("MODT"),
        QStringLiteral("PARZ"), QStringLiteral("GOTO"), QStringLiteral("EXIT"), QStringLiteral("CLRB"),
        QStringLiteral("PARW"), QStringLiteral("VERT"), QStringLiteral("VERA"), QStringLiteral("VERR"),
        QStringLiteral("PADD"), QStringLiteral("PSUB"), QStringLiteral("PMUL"), QStringLiteral("PDIV"),
        QStringLiteral("IFPV"), QStringLiteral("WAIT"), QStringLiteral("WAVE"), QStringLiteral("PROG")};
    return order;
}

QString ScriptCommands::commandIn(const QString& line)
{
    for (const QString& keyword : commandOrder()) {
        if (line.contains(keyword + QLatin1Char(' ')))
            return keyword;
    }
    return QString();
}

QString ScriptCommands::sendingCommandIn(const QString& line)
{
    for (const char* keyword : {"CTRL", "ASCI", "ASCF"}) {
        if (line.contains(QLatin1String(keyword)))
            return QString::fromLatin1(keyword);
    }
    return QString();
}

qsizetype ScriptCommands::markIndex(const QStringList& lines, const QString& label)
{
    const QString target = QStringLiteral("MARK ") + label.trimmed();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed() == target)
            return i;
    }
    return -1;
}

} // namespace tarvex
