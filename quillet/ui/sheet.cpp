#include "quillet/ui/sheet.h"

#include "quillet/ui/sheet_editor.h"

namespace quillet {

bool Sheet::isModified() const
{
    return editor && editor->isModified();
}

bool Sheet::isEmpty() const
{
    return !editor || editor->textLength() == 0;
}

} // namespace quillet
