#pragma once

#include <QString>

namespace quillet {

// Window title and tab label of a sheet.
class TitleRule {
public:
    static QString programCaption();  // "Quillet V-3.1c"
    // The file name part after the last "\" or "/".
    static QString fileNamePart(const QString& path);
    // " notes - Quillet" for ...\notes.txt, " data.csv - Quillet" for ...\data.csv; for an
    // unnamed sheet the label is used without its extension.
    static QString windowTitle(const QString& path, const QString& label);
};

} // namespace quillet
