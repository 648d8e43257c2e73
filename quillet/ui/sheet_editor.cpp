#include "quillet/ui/sheet_editor.h"

#include "quillet/editor_settings.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

namespace quillet {

SheetEditor::SheetEditor(QWidget* parent)
    : QPlainTextEdit(parent), m_limit(EditorSettings::kMaxTextLimit)
{
    setObjectName(QStringLiteral("edText"));
    setWordWrap(false);
    // Files are dropped on the window, not into the text.
    setAcceptDrops(false);
}

QString SheetEditor::rawText() const
{
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

qsizetype SheetEditor::textLength() const
{
    return document()->characterCount() - 1;
}

void SheetEditor::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

bool SheetEditor::wordWrap() const
{
    return lineWrapMode() != QPlainTextEdit::NoWrap;
}

bool SheetEditor::fits(qsizetype added) const
{
    const QTextCursor cursor = textCursor();
    const qsizetype removed = cursor.selectionEnd() - cursor.selectionStart();
    return textLength() - removed + added <= m_limit;
}

void SheetEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        emit overwriteToggled(overwriteMode());
        return;
    }
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && (typed[0].isPrint() || typed[0] == u'\t' || typed[0] == u'\r');
    if (inserts && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !fits(typed.size())) {
        emit limitReached();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SheetEditor::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuWanted(event->globalPos());
}

bool SheetEditor::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void SheetEditor::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    if (!fits(source->text().size())) {
        emit limitReached();
        return;
    }
    insertPlainText(source->text());
}

} // namespace quillet
