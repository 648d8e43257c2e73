#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;

namespace quillet {

class ActionTable;

// Command numbers of the menus; the help line of a command is string id + 3000. Entries of
// the user menu are numbered from kFirstUserCommand on.
namespace cmd {
enum : int {
    New = 101, NewSheet, Open, Save, SaveAs, SaveAll, SaveAllAs, DeleteSheet, Exit,
    PageSetup = 110, Print,
    Undo = 201, Redo, Cut, Copy, Paste, Delete, SelectAll,
    Find = 301, FindNext, Replace, GoTo,
    WordWrap = 401, Font,
    AnsiToOem = 410, OemToAnsi, ToLower, ToUpper, Invert, Mirror, UserConversion,
    MaxLength = 501, Options,
    SpecialChars = 503, HexView,
    Justify = 801, PadBlanks, TabsToBlanks, BlanksToTabs, TrimLeft, TrimRight, TrimBoth, TrimMultiple, SortLines,
    HelpTopics = 601, HelpIndex, WebHome, WebQuillet, WebForum, SupportMail, Info,
    Send = 120, DateTime = 208, EditUserMenu = 701,
};
constexpr int kFirstUserCommand = 10002;
} // namespace cmd

// Builds the main window's menus with their texts, shortcuts and help lines; the commands
// go into the action table, each with an objectName ("actSpeichern" ...).
class MenuBuilder {
public:
    struct Menus {
        QMenu* file = nullptr;
        QMenu* edit = nullptr;
        QList<QAction*> editEntries;  // the entries of the right-click menu
        QMenu* user = nullptr;        // "&Benutzer": "Menü bearbeiten", then the user's entries
    };

    static Menus build(QMainWindow* window, ActionTable& table);

private:
    // The submenu "&Umwandeln" of "F&ormat" and the menu "&Zeilen" (menu_builder_convert.cpp).
    static void addConversionMenu(QMenu* format, ActionTable& table);
    static void addLinesMenu(QMainWindow* window, ActionTable& table);
};

} // namespace quillet
