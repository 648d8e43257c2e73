#include "quillet/ui/sheet_editor.h"

#include "quillet/editor_settings.h"

#include <QContextMenuEvent>

namespace quillet {

SheetEditor::SheetEditor(QWidget* parent)
    : TextView(parent), m_limit(EditorSettings::kMaxTextLimit)
{
    setObjectName(QStringLiteral("edText"));
    // Files are dropped on the window, not into the text.
    setAcceptDrops(false);
}

bool SheetEditor::acceptsEdit(qsizetype removed, qsizetype added)
{
    if (textLength() - removed + added <= m_limit)
        return true;
    emit limitReached();
    return false;
}

void SheetEditor::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuWanted(event->globalPos());
}

} // namespace quillet
