#pragma once

#include "quillet/editor_settings.h"
#include "quillet/file_association.h"
#include "quillet/file_type_list.h"
#include "quillet/user_conversions.h"
#include "quillet/user_menu.h"

namespace quillet {

// What the options dialog edits, read from the settings and written back on OK.
struct OptionsValues {
    int undoLimit = 100;
    bool maxText = true;
    int maxCount = EditorSettings::kMaxTextLimit;
    bool toolText = true;
    bool saveWindowPositions = false;
    bool savePageSettings = false;
    bool autoSave = true;
    int autoSaveMinutes = 5;
    bool defaultDirectory = false;
    QString directory;
    QString emailName;
    QString emailAddress;
    QString emailSubject;
    QString emailText;
    QList<FileTypeList::Row> fileTypes;
    bool useOrgReg = false;
    QList<UserConversion> conversions;
    QList<UserMenu::Entry> userMenu;
    // Who opens text files: as found when the dialog opened, and as chosen on the page. The
    // window fills in the first; a change is applied after everything else.
    FileAssociation::Owner associationFound = FileAssociation::Owner::Unknown;
    FileAssociation::Owner association = FileAssociation::Owner::Unknown;

    static OptionsValues read(const EditorSettings& settings);
    // The text limit these values give.
    int textLimit() const;
    // Writes the values in the dialog's OK order, deleting the window rectangle and the
    // page values when their boxes are clear.
    void write(EditorSettings& settings) const;
};

} // namespace quillet
