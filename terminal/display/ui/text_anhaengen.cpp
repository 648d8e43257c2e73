#include "terminal/display/ui/text_anhaengen.h"

#include "terminal/display/text_style.h"
#include "terminal/display/ui/display_style.h"
#include "terminal/display/ui/display_view.h"

#include <QTextCursor>
#include <QPlainTextEdit>

namespace tarvex {

void TextAnhaengen(int style, const QString& text, int lineBreaks, int size, const QString& name, QPlainTextEdit* control)
{
    if (!control)
        return;
    const QTextCharFormat format = DisplayStyle::charFormat(TextStyle::decode(style, size, name));
    QTextCursor cursor(control->document());
    cursor.movePosition(QTextCursor::End);
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    cursor.insertText(body, format);
    for (int i = 0; i < lineBreaks; ++i)
        cursor.insertBlock(cursor.blockFormat(), QTextCharFormat());
    control->setTextCursor(cursor);
    control->ensureCursorVisible();
}

void TextAnhaengen(int style, const QString& text, int lineBreaks, int size, const QString& name, DisplayView* control)
{
    if (control)
        control->appendStyled(text, TextStyle::decode(style, size, name), lineBreaks);
}

} // namespace tarvex
