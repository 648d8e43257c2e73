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

bool SheetEditor::insertText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (isReadOnly() || t.isEmpty() || !acceptsEdit(selectionEnd() - selectionStart(), t.size()))
        return false;
    insertPlainText(t);
    return true;
}

void SheetEditor::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuWanted(event->globalPos());
}

} // namespace quillet
