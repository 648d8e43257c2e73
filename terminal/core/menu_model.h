#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvex {

// The menu bar as the menu structure table describes it. Each used slot is a pipe record:
// kind, caption, program function, description, shortcut text. Kinds 1 to 98 open the
// submenu of that number, 99 is a separator, anything else an item of the current submenu.
namespace MenuModel {

struct Entry
{
    bool separator = false;
    QString caption;     // with the shortcut text behind a tab when shortcuts are shown
    int function = 0;
    QString description; // shown in the status line while the item is under the mouse
};

struct Submenu
{
    int number = 0;
    QString caption;
    QList<Entry> entries;
};

constexpr int kLastSlot = 200;
constexpr int kBarMenus = 9;

// The drop-down menus of the bar, submenus 1 to 9 in the order of their numbers; submenu k
// takes the k-th submenu caption of the table. Reading stops at the first blank slot.
// Items before the first submenu have no menu and are left out.
QList<Submenu> build(const QStringList& table, bool showShortcuts);

// Every function number an item of the table carries, whether its submenu is shown or not.
QList<int> functions(const QStringList& table);

} // namespace MenuModel

} // namespace tarvex
