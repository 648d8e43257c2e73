#include "terminal/display/ansi_screen.h"

#include <gtest/gtest.h>

#include <QFile>

#include <random>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tarvex;
using Cell = AnsiScreen::Cell;

namespace {

QByteArray recording(const char* name)
{
    QFile file(QStringLiteral(TARVEX_SOURCE_DIR "/tests/data/session/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The row without its trailing blanks.
QString row(const AnsiScreen& screen, int r)
{
    QString text = screen.rowText(r);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// Everything a view or the device sees of the screen.
struct Snapshot
{
    std::vector<Cell> cells;
    int cursorRow, cursorColumn;
    bool cursorVisible, applicationKeys, autowrap;
    QList<QByteArray> replies;
    int bells;
    bool operator==(const Snapshot&) const = default;
};

struct Recorder
{
    AnsiScreen screen;
    QList<QByteArray> replies;
    int bells = 0;

    explicit Recorder(int columns = 80, int rows = 25) : screen(columns, rows)
    {
        screen.setReplyHandler([this](const QByteArray& b) { replies.append(b); });
        screen.setBellHandler([this] { ++bells; });
    }

    Snapshot snapshot() const
    {
        Snapshot s{{}, screen.cursorRow(), screen.cursorColumn(), screen.cursorVisible(),
                   screen.applicationCursorKeys(), screen.autowrap(), replies, bells};
        for (int r = 0; r < screen.rows(); ++r)
            for (int c = 0; c < screen.columns(); ++c)
                s.cells.push_back(screen.cell(r, c));
        return s;
    }
};

// Feeding a recording in two pieces, split at every byte, gives the screen of one feed.
void expectSplitInvariant(const QByteArray& bytes)
{
    Recorder whole;
    whole.screen.feed(bytes);
    const Snapshot expected = whole.snapshot();
    for (qsizetype split = 1; split < bytes.size(); ++split) {
        Recorder parts;
        parts.screen.feed(QByteArrayView(bytes).first(split));
        parts.screen.feed(QByteArrayView(bytes).sliced(split));
        ASSERT_TRUE(parts.snapshot() == expected) << "split at byte " << split;
    }
}

void expectValid(const AnsiScreen& screen)
{
    ASSERT_GE(screen.cursorRow(), 0);
    ASSERT_LT(screen.cursorRow(), screen.rows());
    ASSERT_GE(screen.cursorColumn(), 0);
    ASSERT_LT(screen.cursorColumn(), screen.columns());
    ASSERT_LE(screen.scrollTop(), screen.scrollBottom());
    ASSERT_LT(screen.scrollBottom(), screen.rows());
}

constexpr auto kRed = AnsiScreen::indexed(1);

} // namespace

// The self-written cursor test: every row of the recording checks one group of sequences
// (the rows are named in tests/data/session/make_cursor_test.sh).
TEST(AnsiScreen, CursorTestRecordingDrawsTheExpectedScreen)
{
    Recorder rec;
    rec.screen.feed(recording("cursor_test.bin"));
    const AnsiScreen& s = rec.screen;

    // CHA, CUF and CUB
    EXPECT_EQ(row(s, 0), QStringLiteral("         gb  f"));
    // the box in the line-drawing set; its bottom drawn bold through G1 and SO
    EXPECT_EQ(row(s, 1), QStringLiteral("  ┌────────┐"));
    EXPECT_EQ(row(s, 2), QStringLiteral("  │Hallo   │"));
    EXPECT_EQ(row(s, 3), QStringLiteral("  └────────┘"));
    EXPECT_EQ(s.cell(3, 2).attributes, AnsiScreen::Bold);
    EXPECT_EQ(s.cell(2, 3).attributes, 0);
    // saved cursor with ESC 7/8 and CSI s/u
    EXPECT_EQ(s.cell(4, 39).ch, QLatin1Char('S'));
    EXPECT_EQ(s.cell(4, 49).ch, QLatin1Char('U'));
    // erase to the end and to the start of the line, delete/insert/erase characters
    EXPECT_EQ(row(s, 5), QStringLiteral("ABCD"));
    EXPECT_EQ(row(s, 6), QStringLiteral("     FGHIJ"));
    EXPECT_EQ(row(s, 7), QStringLiteral("AB   EFGHIJ"));
    EXPECT_EQ(row(s, 8), QStringLiteral("012   6789"));
    // tab stops: every 8, one set with HTS, all cleared (the tab then goes to the margin)
    EXPECT_EQ(row(s, 9), QStringLiteral("A       B       C"));
    EXPECT_EQ(row(s, 10), QStringLiteral("x   y"));
    EXPECT_EQ(s.cell(11, 0).ch, QLatin1Char('p'));
    EXPECT_EQ(s.cell(11, 79).ch, QLatin1Char('q'));
    EXPECT_FALSE(s.tabStopAt(8));
    // the wrap waits for the next character; CR cancels it; without autowrap the last
    // column is overwritten
    EXPECT_EQ(s.rowText(12).right(6), QStringLiteral("123456"));
    EXPECT_EQ(row(s, 13), QStringLiteral("7"));
    EXPECT_EQ(s.cell(14, 79).ch, QLatin1Char('Z'));
    EXPECT_EQ(row(s, 14).left(1), QStringLiteral("W"));
    EXPECT_EQ(row(s, 15).trimmed(), QStringLiteral("abf"));
    EXPECT_EQ(s.cell(15, 77).ch, QLatin1Char('a'));
    EXPECT_EQ(s.cell(15, 79).ch, QLatin1Char('f'));
    // the scrolling region 17–20: scrolled by LF, RI, IL, DL and addressed in origin
    // mode; the rows around it stay
    EXPECT_EQ(row(s, 16), QStringLiteral("oben"));
    EXPECT_EQ(row(s, 17), QString());
    EXPECT_EQ(row(s, 18), QStringLiteral("rO"));
    EXPECT_EQ(row(s, 19), QStringLiteral("r4"));
    EXPECT_EQ(row(s, 20), QStringLiteral(" N"));
    EXPECT_EQ(row(s, 21), QStringLiteral("P"));
    EXPECT_EQ(row(s, 22), QStringLiteral("unten"));
    EXPECT_EQ(s.scrollTop(), 0);
    EXPECT_EQ(s.scrollBottom(), 24);
    // CUU/CUD keep the column, VPA the column too
    EXPECT_EQ(s.cell(23, 0).ch, QLatin1Char('c'));
    EXPECT_EQ(s.cell(23, 29).ch, QLatin1Char('d'));
    EXPECT_EQ(s.cell(23, 30).ch, QLatin1Char('e'));
    // colours and attributes
    const auto expectCell = [&](int column, char16_t ch, std::uint8_t attributes, AnsiScreen::Colour fg,
                                AnsiScreen::Colour bg) {
        const Cell& c = s.cell(24, column);
        EXPECT_EQ(c.ch, QChar(ch)) << column;
        EXPECT_EQ(c.attributes, attributes) << column;
        EXPECT_EQ(c.foreground, fg) << column;
        EXPECT_EQ(c.background, bg) << column;
    };
    using A = AnsiScreen;
    expectCell(0, 'R', A::Bold, kRed, A::kDefault);
    expectCell(1, 'G', A::Underline, A::kDefault, A::indexed(2));
    expectCell(2, 'V', A::Underline | A::Reverse, A::kDefault, A::indexed(2));
    expectCell(3, 'X', 0, A::indexed(196), A::kDefault);
    expectCell(4, 'Y', 0, A::indexed(196), A::rgb(1, 2, 3));
    expectCell(5, 'H', 0, A::indexed(13), A::indexed(12));
    expectCell(6, 'B', A::Blink, A::indexed(13), A::indexed(12));
    expectCell(7, 'N', 0, A::kDefault, A::kDefault);
    // an oversized position is clamped to the last cell
    EXPECT_EQ(s.cell(24, 79).ch, QLatin1Char('*'));
    // one bell (the title string's terminator is not one), the reports, the hidden cursor
    EXPECT_EQ(rec.bells, 1);
    EXPECT_EQ(rec.replies, (QList<QByteArray>{"\x1b[12;34R", "\x1b[0n", "\x1b[?1;2c"}));
    EXPECT_EQ(s.cursorRow(), 11);
    EXPECT_EQ(s.cursorColumn(), 33);
    EXPECT_FALSE(s.cursorVisible());
}

TEST(AnsiScreen, LsColorRecordingShowsNamesInTheirColours)
{
    Recorder rec;
    rec.screen.feed(recording("ls_color.bin"));
    const AnsiScreen& s = rec.screen;
    EXPECT_EQ(row(s, 0), QStringLiteral("archiv.tar.gz  frei    ordner  skript.sh  verweis"));
    EXPECT_EQ(row(s, 1), QStringLiteral("bild.png       kaputt  rohr    text.txt"));
    EXPECT_EQ(s.cursorRow(), 2);
    EXPECT_EQ(s.cursorColumn(), 0);
    using A = AnsiScreen;
    const auto at = [&](int r, const char* name) {
        const int c = int(s.rowText(r).indexOf(QLatin1String(name)));
        EXPECT_GE(c, 0) << name;
        return c;
    };
    struct Expect { int row; const char* name; std::uint8_t attributes; A::Colour fg, bg; };
    const Expect expected[] = {
        {0, "archiv.tar.gz", A::Bold, A::indexed(1), A::kDefault}, // archive: bold red
        {0, "frei", 0, A::indexed(0), A::indexed(2)},              // sticky, writable by all
        {0, "ordner", A::Bold, A::indexed(4), A::kDefault},        // folder: bold blue
        {0, "skript.sh", A::Bold, A::indexed(2), A::kDefault},     // executable: bold green
        {0, "verweis", A::Bold, A::indexed(6), A::kDefault},       // link: bold cyan
        {1, "bild.png", A::Bold, A::indexed(5), A::kDefault},      // image: bold magenta
        {1, "kaputt", A::Bold, A::indexed(1), A::indexed(0)},      // dangling link
        {1, "rohr", 0, A::indexed(3), A::indexed(0)},              // pipe
        {1, "text.txt", 0, A::kDefault, A::kDefault},              // plain file
    };
    for (const Expect& e : expected) {
        const int start = at(e.row, e.name);
        for (int c = start; c < start + int(qstrlen(e.name)); ++c) {
            const Cell& cell = s.cell(e.row, c);
            EXPECT_EQ(cell.attributes, e.attributes) << e.name;
            EXPECT_EQ(cell.foreground, e.fg) << e.name;
            EXPECT_EQ(cell.background, e.bg) << e.name;
        }
        // the blanks after a name are plain again
        const Cell& after = s.cell(e.row, start + int(qstrlen(e.name)));
        EXPECT_EQ(after.foreground, A::kDefault) << e.name;
        EXPECT_EQ(after.background, A::kDefault) << e.name;
    }
}

// top drawn for an xterm of 80×25: home and clear, bold numbers, the reverse header line,
// erase to the end of every line, application cursor keys switched on and off again. At
// its end top places the cursor below the last row (clamped to it) and sends CR LF, which
// scrolls the screen up by one row, as on the terminal it was recorded on.
TEST(AnsiScreen, TopRecordingFillsTheScreen)
{
    Recorder rec;
    rec.screen.feed(recording("top_xterm.bin"));
    const AnsiScreen& s = rec.screen;
    EXPECT_EQ(row(s, 0), QStringLiteral("Tasks:  75 total,   1 running,  74 sleeping,   0 stopped,   0 zombie"));
    EXPECT_EQ(row(s, 4), QString());
    EXPECT_EQ(s.rowText(5), QStringLiteral(
        "  PID USER      PR  NI    VIRT    RES    SHR S  %CPU  %MEM     TIME+ COMMAND    "));
    EXPECT_EQ(row(s, 6), QStringLiteral(
        "    1 root      10 -10   51188  11780   7516 S   0.0   0.0   2:04.14 process_a+"));
    EXPECT_EQ(row(s, 23), QStringLiteral(
        "   21 root      20   0       0      0      0 S   0.0   0.0   0:00.00 cpuhp/0"));
    EXPECT_EQ(row(s, 24), QString());
    // "Tasks:" plain, the count bold, "total," plain
    const QString tasks = s.rowText(0);
    EXPECT_EQ(s.cell(0, 0).attributes, 0);
    EXPECT_EQ(s.cell(0, int(tasks.indexOf(QLatin1String("75")))).attributes, AnsiScreen::Bold);
    EXPECT_EQ(s.cell(0, int(tasks.indexOf(QLatin1String("total")))).attributes, 0);
    // the header is reverse up to the last column, which the erase after it clears (the
    // cursor waits there to wrap)
    for (int c = 0; c < 79; ++c)
        EXPECT_EQ(s.cell(5, c).attributes, AnsiScreen::Reverse) << c;
    EXPECT_EQ(s.cell(5, 79).attributes, 0);
    EXPECT_EQ(s.cell(6, 0).attributes, 0);
    EXPECT_EQ(s.cursorRow(), 24);
    EXPECT_EQ(s.cursorColumn(), 0);
    EXPECT_TRUE(s.cursorVisible());
    EXPECT_FALSE(s.applicationCursorKeys());
}

// top's batch output (CR LF lines, 46 of them) scrolls: the last 24 lines remain.
TEST(AnsiScreen, TopBatchRecordingScrollsUpTheFullScreen)
{
    const QByteArray bytes = recording("top_batch.bin");
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_GT(lines.size(), 30);
    Recorder rec;
    rec.screen.feed(bytes);
    const AnsiScreen& s = rec.screen;
    // the last element after the final LF is empty: the cursor's row
    EXPECT_EQ(s.cursorRow(), 24);
    EXPECT_EQ(row(s, 24), QString());
    for (int r = 0; r < 24; ++r) {
        QString expected = QString::fromLatin1(lines.at(lines.size() - 25 + r)).chopped(1); // its CR
        while (expected.endsWith(QLatin1Char(' ')))
            expected.chop(1);
        EXPECT_EQ(row(s, r), expected.left(80)) << r;
    }
}

TEST(AnsiScreen, RecordingsSplitAtAnyByteGiveTheSameScreen)
{
    for (const char* name : {"cursor_test.bin", "ls_color.bin", "top_xterm.bin"}) {
        SCOPED_TRACE(name);
        expectSplitInvariant(recording(name));
    }
}

TEST(AnsiScreen, RandomBytesNeverLeaveAnInvalidScreen)
{
    std::mt19937 random(20261208);
    // Plain random bytes, and bytes drawn mostly from what sequences are made of.
    const QByteArray alphabet = QByteArrayLiteral("\x1b[;?0123456789HJKmrABCDLMP@Xhlsu78()#0Bc\r\n\b\t\x0e\x0f]\\\a");
    for (int round = 0; round < 40; ++round) {
        Recorder rec(round % 2 ? 132 : 80, round % 3 ? 25 : 5);
        QByteArray bytes(20000, '\0');
        for (char& b : bytes)
            b = round % 2 ? char(random() & 0xff) : alphabet.at(int(random() % alphabet.size()));
        rec.screen.feed(bytes);
        expectValid(rec.screen);
        // it still prints where the cursor is after a reset of the sequence state
        rec.screen.feed(QByteArrayLiteral("\x18\x1b[?6l\x1b[0m\x1b[H\x1b(BOK"));
        EXPECT_EQ(rec.screen.rowText(0).left(2), QStringLiteral("OK"));
    }
}

TEST(AnsiScreen, EndlessSequencesAreConsumedWithoutEffect)
{
    Recorder rec;
    // a CSI with a million parameters, a title string of a megabyte
    QByteArray csi = "\x1b[" + QByteArray(1 << 20, ';') + "1;1H" + "A";
    QByteArray digits = "\x1b[" + QByteArray(1 << 20, '9') + "C" + "B";
    QByteArray osc = "\x1b]0;" + QByteArray(1 << 20, 'x') + "\x07" + "C";
    rec.screen.feed(csi);
    rec.screen.feed(digits);
    rec.screen.feed(osc);
    // the oversized CSI is dropped, the huge number is clamped to the margin
    EXPECT_EQ(rec.screen.cell(0, 0).ch, QLatin1Char('A'));
    EXPECT_EQ(rec.screen.cell(0, 79).ch, QLatin1Char('B'));
    EXPECT_EQ(rec.screen.cell(1, 0).ch, QLatin1Char('C')); // after the pending wrap
    EXPECT_EQ(rec.bells, 0);
}

TEST(AnsiScreen, ResizeKeepsTheTopLeftAndTheCursorInside)
{
    AnsiScreen s(80, 25);
    s.feed("\x1b[1;1Hobere Zeile\x1b[25;80H*");
    s.resize(40, 10);
    EXPECT_EQ(s.columns(), 40);
    EXPECT_EQ(s.rows(), 10);
    EXPECT_EQ(row(s, 0), QStringLiteral("obere Zeile"));
    EXPECT_EQ(s.cursorRow(), 9);
    EXPECT_EQ(s.cursorColumn(), 39);
    EXPECT_EQ(s.scrollBottom(), 9);
    s.resize(132, 30);
    EXPECT_EQ(row(s, 0), QStringLiteral("obere Zeile"));
    EXPECT_TRUE(s.tabStopAt(128)); // the new columns get the default stops
    s.feed("\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n"); // scrolls in the whole new height
    expectValid(s);
    // sizes outside the limits are brought into them
    AnsiScreen tiny(0, 100000);
    EXPECT_EQ(tiny.columns(), 1);
    EXPECT_EQ(tiny.rows(), AnsiScreen::kMaxRows);
}

TEST(AnsiScreen, BytesAreWindows1252AndEraseTakesTheBackground)
{
    AnsiScreen s(20, 3);
    s.feed("\x80 \xe4\xf6\xfc\xdf");
    EXPECT_EQ(row(s, 0), QStringLiteral("€ äöüß"));
    // C1 bytes are characters here, never controls: 0x9B is not a CSI
    s.feed("\r\n\x9b" "5m");
    EXPECT_EQ(row(s, 1), QStringLiteral("›5m"));
    s.feed("\x1b[44m\x1b[2K");
    EXPECT_EQ(s.cell(1, 5).background, AnsiScreen::indexed(4));
    EXPECT_EQ(s.cell(1, 5).ch, QLatin1Char(' '));
    // incomplete extended colours leave the colour as it was
    s.feed("\x1b[38;5m\x1b[38;2;1mZ");
    EXPECT_EQ(s.cell(1, 0).foreground, AnsiScreen::kDefault);
    EXPECT_EQ(s.cell(1, 0).background, AnsiScreen::indexed(4));
}

// Sequences the recordings do not use, each on a small screen.
TEST(AnsiScreen, FurtherEditingAndMovingSequences)
{
    const auto screenAfter = [](const QByteArray& bytes) {
        AnsiScreen s(10, 4);
        s.feed(bytes);
        return s;
    };
    // NEL, VT and FF move down like LF (NEL also to the margin), HVP positions
    AnsiScreen s = screenAfter("ab\x1b" "Ec\vd\fe\x1b[4;9fZ");
    EXPECT_EQ(row(s, 0), QStringLiteral("ab"));
    EXPECT_EQ(row(s, 1), QStringLiteral("c"));
    EXPECT_EQ(row(s, 2), QStringLiteral(" d"));
    EXPECT_EQ(row(s, 3), QStringLiteral("  e     Z"));
    // SU and SD scroll the region without moving the cursor
    s = screenAfter("1\r\n2\r\n3\r\n4\x1b[S");
    EXPECT_EQ(row(s, 0), QStringLiteral("2"));
    EXPECT_EQ(row(s, 3), QString());
    s.feed("\x1b[2T");
    EXPECT_EQ(row(s, 0), QString());
    EXPECT_EQ(row(s, 2), QStringLiteral("2"));
    EXPECT_EQ(s.cursorRow(), 3);
    // REP repeats the last character, within the screen
    s = screenAfter("x\x1b[4b");
    EXPECT_EQ(row(s, 0), QStringLiteral("xxxxx"));
    // CHT and CBT on the tab stops, insert mode pushes the row right
    AnsiScreen wide(30, 2);
    wide.feed("\x1b[2I*\x1b[2Z+\r" "abc\r\x1b[4hXY\x1b[4lZ");
    // '*' on the second stop (16), '+' two stops back (8), both pushed on by two columns
    EXPECT_EQ(row(wide, 0), QStringLiteral("XYZbc     +       *"));
    // an invalid scrolling region is ignored; IL outside the region does nothing
    s = screenAfter("\x1b[3;2r\x1b[4;1Hq\x1b[2;3r\x1b[4;1H\x1b[L");
    EXPECT_EQ(s.scrollTop(), 1);
    EXPECT_EQ(s.scrollBottom(), 2);
    EXPECT_EQ(row(s, 3), QStringLiteral("q"));
    // DECALN fills the screen with E and homes the cursor
    s = screenAfter("\x1b[3;3H\x1b#8");
    EXPECT_EQ(row(s, 3), QStringLiteral("EEEEEEEEEE"));
    EXPECT_EQ(s.cursorRow(), 0);
}

TEST(AnsiScreen, LinesScrolledOffTheTopAreKeptBounded)
{
    AnsiScreen s(20, 5);
    for (int i = 1; i <= 8; ++i)
        s.feed("\x1b[3" + QByteArray::number(i % 8) + "mZeile " + QByteArray::number(i) + "\r\n");
    // eight lines and the empty cursor row on five rows: four left the top
    ASSERT_EQ(s.scrollbackLines(), 4);
    EXPECT_EQ(s.scrollbackCell(0, 6).ch, QLatin1Char('1'));
    EXPECT_EQ(s.scrollbackCell(3, 6).ch, QLatin1Char('4'));
    EXPECT_EQ(s.scrollbackCell(3, 0).foreground, AnsiScreen::indexed(4));
    EXPECT_EQ(row(s, 0), QStringLiteral("Zeile 5"));
    // a region below the top, deleted lines and a narrower screen add nothing; the kept
    // lines keep their width
    s.feed("\x1b[2;4r\x1b[4;1H\n\n\x1b[r\x1b[1;1H\x1b[M");
    EXPECT_EQ(s.scrollbackLines(), 4);
    s.resize(10, 5);
    EXPECT_EQ(s.scrollbackCell(0, 6).ch, QLatin1Char('1'));
    EXPECT_EQ(s.scrollbackCell(0, 15).ch, QLatin1Char(' '));
    // never more than the bound; erasing with ED 3 drops them
    for (int i = 0; i < AnsiScreen::kMaxScrollback + 50; ++i)
        s.feed("x\r\n");
    EXPECT_EQ(s.scrollbackLines(), AnsiScreen::kMaxScrollback);
    s.feed("\x1b[3J");
    EXPECT_EQ(s.scrollbackLines(), 0);
}
