#pragma once

#include <QString>
#include <QStringList>

namespace tarvex::HelpKeyword {

// The keywords at which the windows open the help file; each names a topic there.
inline const QString Hauptfenster = QStringLiteral("Hauptfenster");
inline const QString Schnittstelle = QStringLiteral("Dialog Parameter (Schnittstelle)");
inline const QString ZeichenSenden = QStringLiteral("Dialog Zeichen senden");
inline const QString Optionen = QStringLiteral("Dialog Optionen");
inline const QString Funktionsleiste = QStringLiteral("Dialog Funktionsleiste");
inline const QString Scriptverwaltung = QStringLiteral("Dialog Scriptverwaltung");
inline const QString Scriptauswahl = QStringLiteral("Dialog Scriptauswahl");
inline const QString Scripteditor = QStringLiteral("Dialog Scripteditor");
inline const QString ScriptBefehle = QStringLiteral("Scripts: Platzhalter und Befehle");
inline const QString Dauertest = QStringLiteral("Dialog Dauertest");
inline const QString Alarme = QStringLiteral("Dialog Alarme");
inline const QString Zeitplaner = QStringLiteral("Dialog Zeitplaner");
inline const QString Statistik = QStringLiteral("Dialog Statistik");
inline const QString Telefonbuch = QStringLiteral("Dialog Telefonbuch");
inline const QString Telnet = QStringLiteral("Dialog Telnet");
inline const QString Binaertransfer = QStringLiteral("Dialog Binärtransfer");
inline const QString DfueVerbindungen = QStringLiteral("Dialog DFÜ-Verbindungen");
inline const QString Suchen = QStringLiteral("Dialog Suchen");
inline const QString AsciiWerte = QStringLiteral("Dialog ASCII-Werte");
inline const QString AsciiEditor = QStringLiteral("Dialog ASCII-Editor");

// Every keyword above (the help file must have a topic for each).
inline QStringList all()
{
    return {Hauptfenster, Schnittstelle, ZeichenSenden, Optionen, Funktionsleiste, Scriptverwaltung, Scriptauswahl,
            Scripteditor, ScriptBefehle, Dauertest, Alarme, Zeitplaner, Statistik, Telefonbuch, Telnet,
            Binaertransfer, DfueVerbindungen, Suchen, AsciiWerte, AsciiEditor};
}

} // namespace tarvex::HelpKeyword
