#pragma once

#include "quillet/document.h"

#include <QString>
#include <memory>

namespace quillet {

class SheetEditor;

// One tab of the main window: its document (text, file path, file format, modified state),
// the edit control showing it and the tab label.
struct Sheet {
    std::unique_ptr<Document> document = std::make_unique<Document>();
    SheetEditor* editor = nullptr;  // owned by the window's editor stack
    QString label;                  // tab label

    const QString& path() const { return document->path(); }  // empty for an unnamed sheet
    const TextFormat& format() const { return document->format(); }
    bool isUnnamed() const { return path().isEmpty(); }
    bool isModified() const { return document->isModified(); }
    bool isEmpty() const { return document->isEmpty(); }
    // The name the save question shows: the path, or the label of an unnamed sheet.
    QString displayName() const { return path().isEmpty() ? label : path(); }
};

} // namespace quillet
