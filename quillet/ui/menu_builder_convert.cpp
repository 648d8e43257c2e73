// The menus of the text conversions and line tools.
#include "quillet/ui/menu_builder.h"

#include "quillet/ui/action_table.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quillet {
namespace {

using Entry = ActionTable::Command;

QMenu* submenu(QMenu* parent, const char* title, const char* name)
{
    QMenu* menu = parent->addMenu(QString::fromUtf8(title));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

template <std::size_t N>
void addEntries(QMenu* menu, ActionTable& table, const Entry (&entries)[N])
{
    for (const Entry& e : entries)
        menu->addAction(table.add(e, menu));
}

} // namespace

void MenuBuilder::addConversionMenu(QMenu* format, ActionTable& table)
{
    QMenu* convert = submenu(format, "&Umwandeln", "mnuUmwandeln");
    const Entry entries[] = {
        {cmd::AnsiToOem, "actAnsiZuOem", "&Ansi zu OEM", "Wandelt den markierten Text vom ANSI- in den OEM-Zeichensatz um.", {}},
        {cmd::OemToAnsi, "actOemZuAnsi", "&OEM zu Ansi", "Wandelt den markierten Text vom OEM- in den ANSI-Zeichensatz um.", {}},
        {cmd::ToLower, "actKleinbuchstaben", "&Groß- zu Kleinbuchstaben", "Wandelt den markierten Text in Kleinbuchstaben um.", {}},
        {cmd::ToUpper, "actGrossbuchstaben", "&Klein- zu Großbuchstaben", "Wandelt den markierten Text in Großbuchstaben um.", {}},
        {cmd::Invert, "actInvertieren", "&Invertieren", "Vertauscht Groß- und Kleinbuchstaben im markierten Text.", {}},
        {cmd::Mirror, "actSpiegeln", "&Spiegeln", "Kehrt die Zeichenfolge jeder markierten Zeile um.", {}},
        {cmd::UserConversion, "actBenutzerdefiniert", "&Benutzerdefiniert",
         "Wandelt den markierten Text mit einer eigenen Umwandlungstabelle um.", {}},
    };
    addEntries(convert, table, entries);
}

void MenuBuilder::addLinesMenu(QMainWindow* window, ActionTable& table)
{
    QMenu* lines = window->menuBar()->addMenu(QStringLiteral("&Zeilen"));
    lines->setObjectName(QStringLiteral("mnuZeilen"));
    const Entry align[] = {
        {cmd::Justify, "actBlocksatz", "&Blocksatz...", "Richtet die markierten Zeilen im Blocksatz aus.", {}},
        {cmd::PadBlanks, "actAuffuellen", "Mit &Leerzeichen auffüllen...",
         "Füllt die markierten Zeilen rechts mit Leerzeichen auf eine Länge auf.", {}},
    };
    addEntries(submenu(lines, "&Angleichen", "mnuAngleichen"), table, align);
    const Entry tabs[] = {
        {cmd::TabsToBlanks, "actTabulatorenErsetzen", "&Tabulatoren ersetzen...",
         "Ersetzt die Tabulatoren der markierten Zeilen durch Leerzeichen.", {}},
        {cmd::BlanksToTabs, "actLeerzeichenErsetzen", "&Leerzeichen ersetzen...",
         "Ersetzt Leerzeichen der markierten Zeilen durch Tabulatoren.", {}},
    };
    addEntries(submenu(lines, "&Tabulatoren", "mnuTabulatoren"), table, tabs);
    const Entry trim[] = {
        {cmd::TrimLeft, "actGlaettenLinks", "&Links", "Entfernt die Leerzeichen am Anfang der markierten Zeilen.", {}},
        {cmd::TrimRight, "actGlaettenRechts", "&Rechts", "Entfernt die Leerzeichen am Ende der markierten Zeilen.", {}},
        {cmd::TrimBoth, "actGlaettenBeide", "Links &und Rechts",
         "Entfernt die Leerzeichen am Anfang und am Ende der markierten Zeilen.", {}},
        {cmd::TrimMultiple, "actGlaettenMehrfach", "Mehr als &zwei Leerzeichen",
         "Ersetzt mehrere Leerzeichen hintereinander durch eines.", {}},
    };
    addEntries(submenu(lines, "&Glätten", "mnuGlaetten"), table, trim);
    lines->addAction(table.add({cmd::SortLines, "actSortieren", "&Sortieren",
                                "Sortiert die markierten Zeilen alphabetisch.", {}},
                               lines));
}

} // namespace quillet
