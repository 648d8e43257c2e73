#include "quillet/ui/sheet.h"

#include "quillet/ui/sheet_editor.h"

#include <QTextDocument>

namespace quillet {

bool Sheet::isModified() const
{
    return editor && editor->document()->isModified();
}

bool Sheet::isEmpty() const
{
    return !editor || editor->document()->isEmpty();
}

} // namespace quillet
