#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <functional>

namespace quillet {

class TextDocument;

// The lines an operation of the "Zeilen" menu (or a conversion of whole lines) works on.
struct LineRange {
    qsizetype firstLine = 0;
    qsizetype lastLine = 0;
    qsizetype start = 0;  // where the first line starts
    qsizetype end = 0;    // where the last line ends, before its line break

    // No selection (start == end): every line of the text. Otherwise from the line holding
    // `selectionStart` to the line holding `selectionEnd`, without that last line when the
    // selection ends exactly at its start. The empty line after a text's final line break
    // is never part of the range, so the break stays at the end of the text.
    static LineRange of(const TextDocument& text, qsizetype selectionStart, qsizetype selectionEnd);
};

// The line tools. Each takes the lines of a range as one piece of text (lines separated by
// '\n', no break after the last one) and gives the new lines the same way, so the breaks
// before and after the range are never touched. `progress`, when given, hears 0 … 100.
class LineTools {
public:
    using Progress = std::function<void(int percent)>;

    enum class Trim { Left, Right, Both, Multiple };

    // Blanks removed on both sides, then blanks added on the right up to `width`.
    static QString pad(QStringView lines, int width, const Progress& progress = {});
    // Every non-empty line without its outer blanks; a line with a gap shorter than `width`
    // gets one more blank per gap and pass, from the rightmost gap leftwards, until it is
    // `width` characters long.
    static QString justify(QStringView lines, int width, const Progress& progress = {});
    // Every tab becomes blanks up to the next multiple of `width` columns; with
    // `leadingOnly` only the tabs of the indentation (blanks and tabs at the line start).
    static QString tabsToBlanks(QStringView lines, int width, bool leadingOnly, const Progress& progress = {});
    // Every `count` blanks of a run become one tab, the remainder of the run stays blanks;
    // with `leadingOnly` only the blanks of the indentation.
    static QString blanksToTabs(QStringView lines, int count, bool leadingOnly, const Progress& progress = {});
    static QString trim(QStringView lines, Trim how, const Progress& progress = {});
    // Ascending, ignoring case, in the order of `locale`; lines that compare equal keep
    // their order.
    static QString sort(QStringView lines, const QLocale& locale = QLocale(), const Progress& progress = {});

    static qsizetype longestLine(QStringView lines);
};

// An operation on a piece of text: a line tool or a conversion of characters.
using TextOperation = std::function<QString(QStringView, const LineTools::Progress&)>;

} // namespace quillet
