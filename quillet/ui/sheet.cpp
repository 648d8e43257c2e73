#include "quillet/ui/sheet.h"

#include "quillet/ui/chunk_loader.h"
#include "quillet/ui/sheet_editor.h"

#include <QTextDocument>

namespace quillet {

bool Sheet::isModified() const
{
    return editor && editor->document()->isModified();
}

bool Sheet::isLoading() const
{
    return loader && !loader->isDone();
}

bool Sheet::isEmpty() const
{
    return !editor || editor->document()->isEmpty();
}

} // namespace quillet
