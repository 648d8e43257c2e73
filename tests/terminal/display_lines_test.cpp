#include "terminal/display/display_lines.h"

#include <gtest/gtest.h>

namespace {

using tarvex::DisplayLines;
using tarvex::DisplayPosition;
using tarvex::DisplayRun;
using tarvex::TextStyle;

QStringList texts(const DisplayLines& lines)
{
    QStringList result;
    for (int i = 0; i < lines.count(); ++i)
        result << lines.at(i).text;
    return result;
}

// The same text appended one character at a time.
DisplayLines byCharacters(const QString& text, int maximum)
{
    DisplayLines lines;
    lines.setMaximum(maximum);
    for (QChar ch : text)
        lines.append(QString(ch));
    return lines;
}

TEST(DisplayLines, EveryKindOfLineEndEndsALineAndTheLastLineStaysOpen)
{
    DisplayLines lines;
    EXPECT_EQ(texts(lines), QStringList{""});
    lines.append("a\r\nb\rc\nd");
    lines.append("e");
    EXPECT_EQ(texts(lines), (QStringList{"a", "b", "c", "de"}));
    lines.append("\r\r\n\n\r");
    EXPECT_EQ(lines.plainText(), "a\nb\nc\nde\n\n\n\n");
    EXPECT_EQ(lines.count(), 8);
}

TEST(DisplayLines, CarriageReturnAndLineFeedInSeparateAppendsAreOneLineEnd)
{
    // However the text is cut into appends, the lines are the same.
    const QString text = "eins\r\nzwei\r\n\r\ndrei\n\rvier\r";
    EXPECT_EQ(byCharacters(text, 0).plainText(), "eins\nzwei\n\ndrei\n\nvier\n");
    DisplayLines whole;
    whole.append(text);
    EXPECT_EQ(whole.plainText(), byCharacters(text, 0).plainText());

    // Only directly behind the carriage return: anything between makes it a line end of its own.
    DisplayLines lines;
    lines.append("a\r");
    lines.append("b");
    lines.append("\n");
    EXPECT_EQ(texts(lines), (QStringList{"a", "b", ""}));
    lines.append("c\r");
    lines.removeLastCharacter();
    lines.append("\nd");
    EXPECT_EQ(texts(lines), (QStringList{"a", "b", "c", "d"}));
    // A line break of a styled append is always one, also behind a carriage return.
    lines.append("e\r", TextStyle{});
    lines.endLine();
    EXPECT_EQ(texts(lines), (QStringList{"a", "b", "c", "de", "", ""}));
}

TEST(DisplayLines, TheLimitKeepsTheNewestLinesTheOpenOneIncluded)
{
    DisplayLines lines;
    lines.setMaximum(3);
    lines.append("1\r2\r3\r4");
    EXPECT_EQ(texts(lines), (QStringList{"2", "3", "4"}));
    EXPECT_EQ(lines.firstNumber(), 1);
    lines.append("\r");
    EXPECT_EQ(texts(lines), (QStringList{"3", "4", ""}));
    EXPECT_EQ(lines.firstNumber(), 2);

    // A text of more lines than are kept gives what a character at a time gives, its
    // numbering included (a line feed that completes the line end before it among them).
    QString burst = "\nvorne";
    for (int i = 0; i < 50; ++i)
        burst += QStringLiteral("Zeile %1\r\n").arg(i);
    burst += "offen";
    DisplayLines stepwise = byCharacters("x\r" + burst, 3);
    DisplayLines atOnce;
    atOnce.setMaximum(3);
    atOnce.append("x\r");
    atOnce.append(burst);
    EXPECT_EQ(texts(atOnce), (QStringList{"Zeile 48", "Zeile 49", "offen"}));
    EXPECT_EQ(texts(atOnce), texts(stepwise));
    EXPECT_EQ(atOnce.firstNumber(), stepwise.firstNumber());
    EXPECT_EQ(atOnce.firstNumber(), 49);

    // A lower limit drops at once; none (0 or less) is the default.
    atOnce.setMaximum(1);
    EXPECT_EQ(texts(atOnce), QStringList{"offen"});
    atOnce.setMaximum(0);
    EXPECT_EQ(atOnce.maximum(), DisplayLines::kDefaultMaximum);
    atOnce.setMaximum(-5);
    EXPECT_EQ(atOnce.maximum(), DisplayLines::kDefaultMaximum);
}

TEST(DisplayLines, BackspaceRemovesCharactersThenTheLineEndBeforeThem)
{
    DisplayLines lines;
    lines.removeLastCharacter();
    EXPECT_EQ(lines.plainText(), "");
    lines.append(QStringLiteral("a\rb\U0001F600\r"));
    lines.removeLastCharacter();
    EXPECT_EQ(texts(lines), (QStringList{"a", QStringLiteral("b\U0001F600")}));
    // A character outside the basic plane goes whole.
    lines.removeLastCharacter();
    EXPECT_EQ(texts(lines), (QStringList{"a", "b"}));
    lines.removeLastCharacter();
    lines.removeLastCharacter();
    lines.removeLastCharacter();
    lines.removeLastCharacter();
    EXPECT_EQ(texts(lines), QStringList{""});
}

TEST(DisplayLines, StyledRunsFollowTheTextThroughMergesDropsAndRemovals)
{
    TextStyle red;
    red.red = 255;
    TextStyle bold;
    bold.bold = true;
    DisplayLines lines;
    lines.setMaximum(2);
    lines.append("plain ");
    lines.append("rot", red);
    lines.append("er", red);
    lines.append("fett", bold);
    lines.append(" wieder plain");
    const QList<DisplayRun> runs{DisplayRun{6, 5, red}, DisplayRun{11, 4, bold}};
    EXPECT_EQ(lines.at(0).runs, runs);
    // Styled text with line ends is styled on every line it reaches.
    lines.append("\r");
    lines.append("a\rb", red);
    EXPECT_EQ(texts(lines), (QStringList{"a", "b"}));
    EXPECT_EQ(lines.at(0).runs, (QList<DisplayRun>{DisplayRun{0, 1, red}}));
    EXPECT_EQ(lines.at(1).runs, (QList<DisplayRun>{DisplayRun{0, 1, red}}));
    // The line with runs that becomes the oldest keeps them; removed text takes its runs along.
    lines.append("cd", bold);
    lines.removeLastCharacter();
    EXPECT_EQ(lines.at(1).runs, (QList<DisplayRun>{DisplayRun{0, 1, red}, DisplayRun{1, 1, bold}}));
    lines.removeFrom({lines.firstNumber() + 1, 1});
    EXPECT_EQ(lines.at(1).runs, (QList<DisplayRun>{DisplayRun{0, 1, red}}));
    lines.removeLastCharacter();
    EXPECT_TRUE(lines.at(1).runs.isEmpty());
}

TEST(DisplayLines, PositionsStayOnTheirLinesWhileOlderLinesGo)
{
    DisplayLines lines;
    lines.setMaximum(4);
    lines.append("null\reins\rzwei\rdrei");
    const DisplayPosition inEins{1, 2};
    const DisplayPosition inDrei{3, 1};
    EXPECT_EQ(lines.text(inEins, inDrei), "ns\nzwei\nd");
    EXPECT_EQ(lines.text(inDrei, inEins), "ns\nzwei\nd");
    lines.append("\rvier");
    EXPECT_EQ(lines.firstNumber(), 1);
    EXPECT_EQ(lines.text(inEins, inDrei), "ns\nzwei\nd");
    EXPECT_EQ(lines.indexOf(inDrei.line), 2);
    lines.append("\rfünf");
    // A position on a dropped line is the start of what is kept; past the end, the end.
    EXPECT_EQ(lines.clamp(inEins), (DisplayPosition{2, 0}));
    EXPECT_EQ(lines.clamp({99, 0}), (DisplayPosition{5, 4}));
    EXPECT_EQ(lines.clamp({3, 99}), (DisplayPosition{3, 4}));
    EXPECT_EQ(lines.indexOf(1), -1);
    EXPECT_EQ(lines.find("ie"), (DisplayPosition{4, 1}));
    EXPECT_EQ(lines.find("fehlt").line, -1);

    lines.removeFrom({3, 2});
    EXPECT_EQ(lines.plainText(), "zwei\ndr");
    // Clearing leaves one empty line numbered behind every line before it.
    lines.clear();
    EXPECT_EQ(texts(lines), QStringList{""});
    EXPECT_EQ(lines.firstNumber(), 4);
    EXPECT_EQ(lines.clamp({3, 1}), (DisplayPosition{4, 0}));
}

} // namespace
