#pragma once

namespace tarvex {

// The program function numbers: menus, toolbar, function bar, key map, buttons and the
// command line all name a function by its number. One constant per number; a subsystem
// registers the numbers it owns with the function table.
namespace Fn {

constexpr int ProgrammOrdner = 115;       // explorer on the program folder
constexpr int KundenOrdner = 116;         // explorer on the customer data folder
constexpr int CaptureOrdner = 117;        // explorer on the capture folder
constexpr int ParameterLaden = 105;       // load a parameter set (asks for the file)
constexpr int ParameterSichern = 106;     // save the current parameter set
constexpr int ParameterSatz0 = 120;       // the saved parameter sets 120 … 129
constexpr int ParameterSatz9 = 129;
constexpr int AnzeigeDrucken = 140;
constexpr int Testausdruck = 141;
constexpr int Druckerinformation = 142;
constexpr int AnzeigeImEditor = 146;
constexpr int AnzeigeImEditor2 = 160;
constexpr int ProgrammEnde = 149;
constexpr int AnzeigeKopieren = 156;
constexpr int AnzeigeLoeschen = 157;
constexpr int Exportieren = 161;
constexpr int AnzeigeSpeichern = 165;
constexpr int AnzeigeSpeichernRtf = 166;
constexpr int MailOhneEmpfaenger = 172;
constexpr int Analysezeile = 180;
constexpr int ScriptRecorder = 190;
constexpr int Schnittstelle = 201;
constexpr int VerbindungBeenden = 202;
constexpr int VerbindungReset = 203;
constexpr int DateiWaehlenUndSenden = 210;
constexpr int DateiSenden = 211;
constexpr int BinaerSenden = 215;
constexpr int BinaerEmpfangen = 216;
constexpr int DateiSendenHinweis = 220;
constexpr int ScriptAuswahl = 222;
constexpr int Suchen = 225;
constexpr int Exportieren2 = 230;
constexpr int StatusLampen = 240;
constexpr int ZeichenSenden = 265;
constexpr int Modem305 = 305;            // initialise the modem
constexpr int Telefonbuch = 315;          // the phone book
constexpr int Modem316 = 316;            // hang up the modem
constexpr int AnrufAnnehmen = 340;        // incoming calls answered (checked while on)
constexpr int Modem341 = 341;            // answer an incoming call
constexpr int TelefonbuchBearbeiten = 350; // the phone book, also without a connection
constexpr int Waehlhilfe = 355;          // the system's phone dialer
constexpr int Statistik = 505;
constexpr int SessionAnzeige = 515;
constexpr int Telnet = 555;
constexpr int Systemsteuerung = 605;
constexpr int Taschenrechner = 701;
constexpr int HexAnzeige = 735;           // the display text as codes
constexpr int HexZeichensatz = 740;       // the codes 1 to 255
constexpr int InfoAscii = 745;            // the character table
constexpr int InfoVirtualKey = 746;       // the virtual-key information file
constexpr int DfueVerbindungen = 680;
constexpr int Anmelden = 725;
constexpr int Editor = 732;
constexpr int Zeitplaner = 760;
constexpr int ZeitplanerProtokoll = 761;
constexpr int ZeitplanerProtokoll2 = 762;
constexpr int Alarme = 765;
constexpr int AktiveAlarme = 770;         // the active alarm list over the display
constexpr int AlarmzaehlerLoeschen = 771;
constexpr int AlarmProtokoll = 775;
constexpr int Dauertest = 785;
constexpr int Zwischenablage = 795;
constexpr int Optionen = 805;             // options pages 805 … 811
constexpr int OptionenPasswort = 806;
constexpr int OptionenFilter = 809;
constexpr int Funktionsleiste = 815;       // the function bar dialog
constexpr int Scriptverwaltung = 820;
constexpr int ScriptgruppeLaden = 825;
constexpr int ScriptgruppeSichern = 826;
constexpr int Hilfe = 905;               // the help's contents
constexpr int HilfeIndex = 906;          // the help's index
constexpr int HilfeScripts = 915;        // the help on the script commands
constexpr int Webseite = 925;
constexpr int SupportMail = 926;
constexpr int WebSupport = 931;
constexpr int WebDownload = 935;
constexpr int Information = 1020;         // the program's about box

} // namespace Fn

} // namespace tarvex
