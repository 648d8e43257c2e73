#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace tarvex {

// One keyword of the script language: its arguments, the line of the command overview
// (empty for keywords the overview leaves out), the editor's reference entry (syntax line
// and meaning, with its place in the reference list) and the title of the editor's test
// explanation.
struct ScriptKeyword
{
    const char* keyword;
    const char* arguments;
    const char* help;
    const char* syntax;
    const char* meaning;
    int referenceRank;
    const char* testTitle;
};

class ScriptCommands
{
public:
    static constexpr int kCount = 35;
    // Width of the syntax line in a reference entry.
    static constexpr int kSyntaxWidth = 113;
    // Characters of a syntax line in front of its explanation ("IFPE x y z w ").
    static constexpr int kSyntaxColumns = 13;

    // The table, in overview order.
    static const std::array<ScriptKeyword, kCount>& keywords();
    // The separator line and the help lines, each ended by CR LF except the last.
    static QString overview();

    // The entry of a keyword (exact, case-sensitive); nullptr for anything else.
    static const ScriptKeyword* find(QStringView keyword);
    // The table in the order of the editor's reference list.
    static const std::array<const ScriptKeyword*, kCount>& reference();
    // A reference entry: the syntax line padded to its width, "|", the meaning, "||".
    static QString referenceEntry(const ScriptKeyword& k);

    // The commands a run recognises before anything else, in the order a line is tested.
    static const QStringList& commandOrder();
    // The first command of that order whose keyword and one blank stand anywhere in the
    // line; empty when none does (the line is then a sending line).
    static QString commandIn(const QString& line);
    // For a sending line (after its date and time forms are replaced): "CTRL", "ASCI" or
    // "ASCF" when the line holds that word anywhere, tested in this order; empty for text.
    static QString sendingCommandIn(const QString& line);
    // The index of the first line that is "MARK " + label (both trimmed); -1 when none is.
    static qsizetype markIndex(const QStringList& lines, const QString& label);
};

} // namespace tarvex
