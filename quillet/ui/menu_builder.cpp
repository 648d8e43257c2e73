#include "quillet/ui/menu_builder.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quillet {
namespace {

struct Entry {
    const char* name;
    const char* text;
    const char* help;
    QList<QKeySequence> keys;
};

QAction* addEntry(QMenu* menu, MenuBuilder::Menus& menus, const Entry& e)
{
    auto* action = new QAction(QString::fromUtf8(e.text), menu);
    action->setObjectName(QLatin1String(e.name));
    action->setStatusTip(QString::fromUtf8(e.help));
    if (!e.keys.isEmpty()) {
        action->setShortcuts(e.keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    menu->addAction(action);
    menus.actions.insert(action->objectName(), action);
    return action;
}

} // namespace

MenuBuilder::Menus MenuBuilder::build(QMainWindow* window)
{
    Menus menus;
    QMenuBar* bar = window->menuBar();

    menus.file = bar->addMenu(QStringLiteral("&Datei"));
    menus.file->setObjectName(QStringLiteral("mnuDatei"));
    const Entry fileEntries[] = {
        {"actNeu", "&Neu\tStrg+N", "Ersetzt das aktuelle Dokument durch ein neues, leeres Dokument.",
         {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {"actNeuesBlatt", "Neues Bla&tt\tAlt+Einfg", "Öffnet ein neues, leeres Blatt.",
         {QKeySequence(Qt::ALT | Qt::Key_Insert)}},
        {"actOeffnen", "Ö&ffnen...\tStrg+O", "Öffnet ein vorhandenes Dokument.", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {"actSpeichern", "&Speichern\tStrg+S", "Speichert das aktuelle Dokument.", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {"actSpeichernUnter", "Speichern &unter...\tF2", "Speichert das aktuelle Dokument unter einem neuen Namen.",
         {QKeySequence(Qt::Key_F2)}},
        {"actAlleSpeichern", "Alle Spei&chern", "Speichert alle geöffneten Dokumente.", {}},
        {"actAlleSpeichernUnter", "Alle Speic&hern unter...", "Speichert alle geöffneten Dokumente unter neuen Namen.", {}},
        {"actBlattLoeschen", "Blatt &löschen\tAlt+Entf", "Schließt das aktuelle Blatt.",
         {QKeySequence(Qt::ALT | Qt::Key_Delete)}},
    };
    for (const Entry& e : fileEntries)
        addEntry(menus.file, menus, e);
    menus.file->addSeparator();
    addEntry(menus.file, menus, {"actBeenden", "&Beenden", "Beendet Quillet.", {}});

    menus.edit = bar->addMenu(QStringLiteral("&Bearbeiten"));
    menus.edit->setObjectName(QStringLiteral("mnuBearbeiten"));
    const Entry editEntries[] = {
        {"actRueckgaengig", "&Rückgängig\tStrg+Z", "Macht die letzte Aktion rückgängig.",
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {"actWiederholen", "Wieder&holen\tStrg+Y", "Wiederholt die zuletzt rückgängig gemachte Aktion.",
         {QKeySequence(Qt::CTRL | Qt::Key_Y)}},
        {"actAusschneiden", "&Ausschneiden\tStrg+X", "Schneidet die Markierung aus und legt sie in die Zwischenablage.",
         {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {"actKopieren", "&Kopieren\tStrg+C", "Kopiert die Markierung in die Zwischenablage.",
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {"actEinfuegen", "E&infügen\tStrg+V", "Fügt den Inhalt der Zwischenablage ein.",
         {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {"actLoeschen", "&Löschen\tEntf", "Löscht die Markierung.", {}},
        {"actAllesMarkieren", "Alles &markieren\tStrg+A", "Markiert den gesamten Text.", {}},
    };
    for (const Entry& e : editEntries)
        menus.editEntries.append(addEntry(menus.edit, menus, e));

    QMenu* search = bar->addMenu(QStringLiteral("&Suchen"));
    search->setObjectName(QStringLiteral("mnuSuchen"));
    const Entry searchEntries[] = {
        {"actSuchen", "&Suchen...\tStrg+F", "Sucht nach einem Text.", {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {"actWeitersuchen", "&Weitersuchen\tF3", "Sucht das nächste Vorkommen des Suchtextes.", {QKeySequence(Qt::Key_F3)}},
        {"actErsetzen", "&Ersetzen...\tStrg+H", "Ersetzt einen Text durch einen anderen.",
         {QKeySequence(Qt::CTRL | Qt::Key_H)}},
        {"actGeheZu", "&Gehe zu...\tStrg+G", "Springt zu einer Zeile.", {QKeySequence(Qt::CTRL | Qt::Key_G)}},
    };
    for (const Entry& e : searchEntries)
        addEntry(search, menus, e);

    QMenu* format = bar->addMenu(QStringLiteral("F&ormat"));
    format->setObjectName(QStringLiteral("mnuFormat"));
    addEntry(format, menus, {"actZeilenumbruch", "&Zeilenumbruch", "Schaltet den Zeilenumbruch ein oder aus.", {}})
        ->setCheckable(true);
    addEntry(format, menus, {"actSchriftart", "&Schriftart...", "Wählt die Schriftart.", {}});

    QMenu* extras = bar->addMenu(QStringLiteral("&Extras"));
    extras->setObjectName(QStringLiteral("mnuExtras"));
    addEntry(extras, menus,
             {"actMaxTextlaenge", "Maximale Textlänge...\tStrg+M", "Legt die maximale Textlänge des Blattes fest.",
              {QKeySequence(Qt::CTRL | Qt::Key_M)}});
    addEntry(extras, menus, {"actOptionen", "&Optionen...", "Ändert die Einstellungen von Quillet.", {}});

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuHilfe"));
    const Entry helpEntries[] = {
        {"actHilfethemen", "&Hilfethemen\tF1", "Zeigt die Themen der Hilfe.", {QKeySequence(Qt::Key_F1)}},
        {"actInhaltIndex", "&Inhalt und Index", "Zeigt Inhalt und Stichwortverzeichnis der Hilfe.", {}},
        {"actWebStartseite", "Kavimor im &Internet", "Öffnet die Startseite von Kavimor im Browser.", {}},
        {"actWebQuillet", "&Quillet im Internet", "Öffnet die Seite von Quillet im Browser.", {}},
        {"actWebForum", "&Forum", "Öffnet das Forum von Kavimor im Browser.", {}},
        {"actSupportMail", "&Support-Email", "Schreibt eine Email an den Support von Kavimor.", {}},
    };
    for (const Entry& e : helpEntries) {
        addEntry(help, menus, e);
        if (QByteArrayView(e.name) == "actInhaltIndex")
            help->addSeparator();
    }
    help->addSeparator();
    addEntry(help, menus, {"actInfo", "Inf&o...", "Zeigt Programmversion und Hersteller.", {}});
    return menus;
}

} // namespace quillet
