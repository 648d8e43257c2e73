#include "terminal/script/ui/script_highlighter.h"

#include "terminal/script/script_line_check.h"

#include <QTextDocument>

namespace tarvex {

ScriptHighlighter::ScriptHighlighter(QTextDocument* document) : QSyntaxHighlighter(document)
{
    m_currentFormat.setBackground(QColor(255, 250, 205));
}

void ScriptHighlighter::setCurrentLine(int line)
{
    if (line == m_current)
        return;
    const int previous = m_current;
    m_current = line;
    rehighlightLine(previous);
    rehighlightLine(line);
}

void ScriptHighlighter::rehighlightLine(int line)
{
    if (line < 0 || !document())
        return;
    const QTextBlock block = document()->findBlockByNumber(line);
    if (block.isValid())
        rehighlightBlock(block);
}

void ScriptHighlighter::highlightBlock(const QString& text)
{
    const bool current = currentBlock().blockNumber() == m_current;
    if (current)
        setFormat(0, int(text.size()), m_currentFormat);
    if (!ScriptLineCheck::keywordOf(QStringView(text).left(4)).isEmpty()) {
        QTextCharFormat bold = current ? m_currentFormat : QTextCharFormat();
        bold.setFontWeight(QFont::Bold);
        setFormat(0, 4, bold);
    }
}

} // namespace tarvex
