#pragma once

class QCoreApplication;

// Loads Qt's own German texts (file dialogs, context menus, standard buttons) so the
// whole interface speaks German whatever the system language is. Missing translation
// files leave Qt's English texts; nothing else changes.
void installGermanTranslation(QCoreApplication& app);
