#pragma once

#include "shared/platform/prompter.h"

#include <QString>
#include <QStringList>

namespace tarvex {

class ScriptHost;
struct TerminalContext;

// The box a test of one line shows.
struct LineExplanation
{
    QString title;
    QString text;
    BoxIcon icon = BoxIcon::Information;
};

// The script editor's rules without its window: the command text as editor lines and back,
// the keyword and help of a line, and the test of one line. The test recognises the line
// exactly as a run does and explains it; of the commands it carries out only the
// placeholder questions and arithmetic, printing, sounds and programs. Nothing goes to the
// serial line and nothing waits.
class ScriptLineCheck
{
public:
    // Longest part of a line an explanation shows; the rest is named by its length.
    static constexpr int kShownCharacters = 600;

    // "A<>B" (or "A<>B<>") -> "A" CR LF "B".
    static QString editorText(const QString& commands);
    // Editor lines (CR LF, CR or LF) -> "A<>B"; an empty last line is dropped.
    static QString commandText(const QString& editorText);
    // The keyword the line starts with: its first four characters when they are one of
    // the keywords, exactly as written; empty otherwise.
    static QString keywordOf(QStringView line);
    // The help panel: "Befehl", "Bedeutung" and "Erklärung" of the line's keyword; empty
    // without a keyword.
    static QStringList helpLines(QStringView line);

    ScriptLineCheck(TerminalContext& context, ScriptHost& host);

    // Tests one line of the script (scriptLines: all of its lines, where jumps look for
    // their labels): carries out what the test carries out and returns the explanation.
    LineExplanation explain(const QString& line, const QStringList& scriptLines);
    // explain(), then the explanation in its box.
    LineExplanation Testen(const QString& line, const QStringList& scriptLines);

private:
    struct Parts;
    LineExplanation command(const QString& keyword, Parts& p);
    LineExplanation sending(const QString& kind, Parts& p);
    LineExplanation arithmetic(const QString& keyword, Parts& p);
    LineExplanation jumpCondition(const QString& keyword, Parts& p);
    LineExplanation program(Parts& p);
    QString markHint(const QString& label, const QStringList& scriptLines) const;

    TerminalContext& m_ctx;
    ScriptHost& m_host;
};

} // namespace tarvex
