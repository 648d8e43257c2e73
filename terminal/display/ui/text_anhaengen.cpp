#include "terminal/display/ui/text_anhaengen.h"

#include "terminal/display/text_style.h"

#include <QTextCursor>
#include <QPlainTextEdit>

namespace tarvex {

void TextAnhaengen(int style, const QString& text, int lineBreaks, int size, const QString& name, QPlainTextEdit* control)
{
    if (!control)
        return;
    const TextStyle t = TextStyle::decode(style, size, name);
    QTextCharFormat format;
    format.setFontFamilies({t.fontName});
    format.setFontPointSize(t.fontSize);
    format.setFontWeight(t.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(t.italic);
    format.setFontUnderline(t.underline);
    format.setForeground(QColor(t.red, t.green, t.blue));

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

} // namespace tarvex
