#include "quillet/ui/menu_builder.h"

#include "quillet/ui/action_table.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quillet {
namespace {

using Entry = ActionTable::Command;

QAction* addEntry(QMenu* menu, ActionTable& table, const Entry& e)
{
    QAction* action = table.add(e, menu);
    menu->addAction(action);
    return action;
}

} // namespace

MenuBuilder::Menus MenuBuilder::build(QMainWindow* window, ActionTable& table)
{
    Menus menus;
    QMenuBar* bar = window->menuBar();

    menus.file = bar->addMenu(QStringLiteral("&Datei"));
    menus.file->setObjectName(QStringLiteral("mnuDatei"));
    const Entry fileEntries[] = {
        {cmd::New, "actNeu", "&Neu\tStrg+N", "Ersetzt das aktuelle Dokument durch ein neues, leeres Dokument.",
         {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {cmd::NewSheet, "actNeuesBlatt", "Neues Bla&tt\tAlt+Einfg", "Öffnet ein neues, leeres Blatt.",
         {QKeySequence(Qt::ALT | Qt::Key_Insert)}},
        {cmd::Open, "actOeffnen", "Ö&ffnen...\tStrg+O", "Öffnet ein vorhandenes Dokument.", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {cmd::Save, "actSpeichern", "&Speichern\tStrg+S", "Speichert das aktuelle Dokument.", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {cmd::SaveAs, "actSpeichernUnter", "Speichern &unter...\tF2", "Speichert das aktuelle Dokument unter einem neuen Namen.",
         {QKeySequence(Qt::Key_F2)}},
        {cmd::SaveAll, "actAlleSpeichern", "Alle Spei&chern", "Speichert alle geöffneten Dokumente.", {}},
        {cmd::SaveAllAs, "actAlleSpeichernUnter", "Alle Speic&hern unter...", "Speichert alle geöffneten Dokumente unter neuen Namen.", {}},
        {cmd::DeleteSheet, "actBlattLoeschen", "Blatt &löschen\tAlt+Entf", "Schließt das aktuelle Blatt.",
         {QKeySequence(Qt::ALT | Qt::Key_Delete)}},
        {cmd::Send, "actSenden", "S&enden...", "Sendet das aktuelle Dokument als Email.", {}},
        {cmd::PageSetup, "actSeiteEinrichten", "Seite ein&richten...",
         "Legt Papier, Drucker, Ränder, Kopf- und Fußzeile für den Ausdruck fest.", {}},
        {cmd::Print, "actDrucken", "&Drucken...\tStrg+P", "Druckt das aktuelle Dokument.",
         {QKeySequence(Qt::CTRL | Qt::Key_P)}},
    };
    for (const Entry& e : fileEntries)
        addEntry(menus.file, table, e);
    menus.file->addSeparator();
    addEntry(menus.file, table, {cmd::Exit, "actBeenden", "&Beenden", "Beendet Quillet.", {}});

    menus.edit = bar->addMenu(QStringLiteral("&Bearbeiten"));
    menus.edit->setObjectName(QStringLiteral("mnuBearbeiten"));
    const Entry editEntries[] = {
        {cmd::Undo, "actRueckgaengig", "&Rückgängig\tStrg+Z", "Macht die letzte Aktion rückgängig.",
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {cmd::Redo, "actWiederholen", "Wieder&holen\tStrg+Y", "Wiederholt die zuletzt rückgängig gemachte Aktion.",
         {QKeySequence(Qt::CTRL | Qt::Key_Y)}},
        {cmd::Cut, "actAusschneiden", "&Ausschneiden\tStrg+X", "Schneidet die Markierung aus und legt sie in die Zwischenablage.",
         {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {cmd::Copy, "actKopieren", "&Kopieren\tStrg+C", "Kopiert die Markierung in die Zwischenablage.",
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {cmd::Paste, "actEinfuegen", "E&infügen\tStrg+V", "Fügt den Inhalt der Zwischenablage ein.",
         {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {cmd::Delete, "actLoeschen", "&Löschen\tEntf", "Löscht die Markierung.", {}},
        {cmd::SelectAll, "actAllesMarkieren", "Alles &markieren\tStrg+A", "Markiert den gesamten Text.", {}},
    };
    for (const Entry& e : editEntries)
        menus.editEntries.append(addEntry(menus.edit, table, e));
    // The right-click menu holds the first ten entries of this menu.
    QAction* dateTime = addEntry(menus.edit, table,
                                 {cmd::DateTime, "actUhrzeitDatum", "Uhrzeit/&Datum\tF5",
                                  "Fügt Uhrzeit und Datum in einem wählbaren Format ein.", {QKeySequence(Qt::Key_F5)}});
    if (menus.editEntries.size() < 10)
        menus.editEntries.append(dateTime);

    QMenu* search = bar->addMenu(QStringLiteral("&Suchen"));
    search->setObjectName(QStringLiteral("mnuSuchen"));
    const Entry searchEntries[] = {
        {cmd::Find, "actSuchen", "&Suchen...\tStrg+F", "Sucht nach einem Text.", {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {cmd::FindNext, "actWeitersuchen", "&Weitersuchen\tF3", "Sucht das nächste Vorkommen des Suchtextes.", {QKeySequence(Qt::Key_F3)}},
        {cmd::Replace, "actErsetzen", "&Ersetzen...\tStrg+H", "Ersetzt einen Text durch einen anderen.",
         {QKeySequence(Qt::CTRL | Qt::Key_H)}},
        {cmd::GoTo, "actGeheZu", "&Gehe zu...\tStrg+G", "Springt zu einer Zeile.", {QKeySequence(Qt::CTRL | Qt::Key_G)}},
    };
    for (const Entry& e : searchEntries)
        addEntry(search, table, e);

    QMenu* format = bar->addMenu(QStringLiteral("F&ormat"));
    format->setObjectName(QStringLiteral("mnuFormat"));
    addEntry(format, table,
             {cmd::WordWrap, "actZeilenumbruch", "&Zeilenumbruch", "Schaltet den Zeilenumbruch ein oder aus.", {}, true});
    addEntry(format, table, {cmd::Font, "actSchriftart", "&Schriftart...", "Wählt die Schriftart.", {}});
    addConversionMenu(format, table);
    addLinesMenu(window, table);

    menus.user = bar->addMenu(QStringLiteral("&Benutzer"));
    menus.user->setObjectName(QStringLiteral("mnuBenutzer"));
    addEntry(menus.user, table,
             {cmd::EditUserMenu, "actMenueBearbeiten", "&Menü bearbeiten...", "Bearbeitet die Einträge des Benutzermenüs.", {}});

    QMenu* extras = bar->addMenu(QStringLiteral("&Extras"));
    extras->setObjectName(QStringLiteral("mnuExtras"));
    addEntry(extras, table,
             {cmd::MaxLength, "actMaxTextlaenge", "Maximale Textlänge...\tStrg+M", "Legt die maximale Textlänge des Blattes fest.",
              {QKeySequence(Qt::CTRL | Qt::Key_M)}});
    addEntry(extras, table,
             {cmd::SpecialChars, "actSonderzeichen", "&Sonderzeichen...", "Fügt ein Sonderzeichen ein.", {}});
    addEntry(extras, table,
             {cmd::HexView, "actHexadezimal", "&Hexadezimal...", "Zeigt den Text als Hexadezimalwerte.", {}});
    addEntry(extras, table, {cmd::Options, "actOptionen", "&Optionen...", "Ändert die Einstellungen von Quillet.", {}});

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuHilfe"));
    const Entry helpEntries[] = {
        {cmd::HelpTopics, "actHilfethemen", "&Hilfethemen\tF1", "Zeigt die Themen der Hilfe.", {QKeySequence(Qt::Key_F1)}},
        {cmd::HelpIndex, "actInhaltIndex", "&Inhalt und Index", "Zeigt Inhalt und Stichwortverzeichnis der Hilfe.", {}},
        {cmd::WebHome, "actWebStartseite", "Kavimor im &Internet", "Öffnet die Startseite von Kavimor im Browser.", {}},
        {cmd::WebQuillet, "actWebQuillet", "&Quillet im Internet", "Öffnet die Seite von Quillet im Browser.", {}},
        {cmd::WebForum, "actWebForum", "&Forum", "Öffnet das Forum von Kavimor im Browser.", {}},
        {cmd::SupportMail, "actSupportMail", "&Support-Email", "Schreibt eine Email an den Support von Kavimor.", {}},
    };
    for (const Entry& e : helpEntries) {
        addEntry(help, table, e);
        if (e.id == cmd::HelpIndex)
            help->addSeparator();
    }
    help->addSeparator();
    addEntry(help, table, {cmd::Info, "actInfo", "Inf&o...", "Zeigt Programmversion und Hersteller.", {}});
    return menus;
}

} // namespace quillet
