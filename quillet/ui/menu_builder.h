#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace quillet {

// Builds the main window's menus with their texts, shortcuts and help lines. Every action
// gets an objectName ("actSpeichern" ...) by which the window connects it.
class MenuBuilder {
public:
    struct Menus {
        QHash<QString, QAction*> actions;
        QMenu* file = nullptr;
        QMenu* edit = nullptr;
        QList<QAction*> editEntries;  // the entries of the right-click menu
    };

    static Menus build(QMainWindow* window);
};

} // namespace quillet
