#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace tarvex {

// The script editor's highlighting: a line's first four characters are bold when they are
// a keyword of the script language (as written, capitals only); the current line has a
// background of its own. Only a line's first characters are looked at, so very long
// lines cost nothing extra.
class ScriptHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit ScriptHighlighter(QTextDocument* document);

    // Marks this line (0-based) as the current one; -1: none.
    void setCurrentLine(int line);
    int currentLine() const { return m_current; }

protected:
    void highlightBlock(const QString& text) override;

private:
    void rehighlightLine(int line);

    int m_current = -1;
    QTextCharFormat m_currentFormat;
};

} // namespace tarvex
