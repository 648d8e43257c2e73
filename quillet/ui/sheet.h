#pragma once

#include "quillet/text_file.h"

#include <QString>

namespace quillet {

class SheetEditor;

// One tab of the main window: its edit control, file path, label and file format.
struct Sheet {
    SheetEditor* editor = nullptr;  // owned by the window's editor stack
    QString path;                   // empty for an unnamed sheet
    QString label;                  // tab label
    TextFormat format;

    bool isUnnamed() const { return path.isEmpty(); }
    bool isModified() const;
    bool isEmpty() const;
    // The name the save question shows: the path, or the label of an unnamed sheet.
    QString displayName() const { return path.isEmpty() ? label : path; }
};

} // namespace quillet
