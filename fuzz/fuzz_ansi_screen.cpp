// The session screen's interpreter on arbitrary received bytes. The first bytes choose the
// screen size, the size after a resize and where the stream is cut (fuzz_input.h: FuzzCuts);
// the same bytes fed in one piece and in cut
// pieces must leave the same screen (sequences may be split anywhere), and the cursor,
// scrolling region and scroll-back stay within their bounds.

#include "fuzz/fuzz_input.h"
#include "terminal/display/ansi_screen.h"

#include <algorithm>

using tarvex::AnsiScreen;

namespace {

FUZZ_NO_COVERAGE void checkBounds(const AnsiScreen& s)
{
    FUZZ_CHECK(s.cursorRow() >= 0 && s.cursorRow() < s.rows());
    FUZZ_CHECK(s.cursorColumn() >= 0 && s.cursorColumn() < s.columns());
    FUZZ_CHECK(s.scrollTop() >= 0 && s.scrollTop() <= s.scrollBottom() && s.scrollBottom() < s.rows());
    FUZZ_CHECK(s.scrollbackLines() <= AnsiScreen::kMaxScrollback);
    for (int r = 0; r < s.rows(); ++r)
        FUZZ_CHECK(s.rowText(r).size() == s.columns());
}

FUZZ_NO_COVERAGE bool sameScreen(const AnsiScreen& a, const AnsiScreen& b)
{
    if (a.rows() != b.rows() || a.columns() != b.columns() || a.cursorRow() != b.cursorRow()
        || a.cursorColumn() != b.cursorColumn() || a.scrollTop() != b.scrollTop()
        || a.scrollBottom() != b.scrollBottom() || a.scrollbackLines() != b.scrollbackLines()
        || a.cursorVisible() != b.cursorVisible() || a.autowrap() != b.autowrap()
        || a.originMode() != b.originMode() || a.applicationCursorKeys() != b.applicationCursorKeys())
        return false;
    for (int r = 0; r < a.rows(); ++r) {
        for (int c = 0; c < a.columns(); ++c) {
            if (!(a.cell(r, c) == b.cell(r, c)))
                return false;
        }
    }
    for (int l = 0; l < a.scrollbackLines(); ++l) {
        for (int c = 0; c < a.columns(); ++c) {
            if (!(a.scrollbackCell(l, c) == b.scrollbackCell(l, c)))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    // Small screens reach the edges quickly; one time in eight a size up to and beyond the
    // limits (a large screen runs the same code, only every comparison costs more).
    const int columns = in.pick(8) != 0 ? 1 + in.pick(40) : in.pick(600) - 50;
    const int rows = in.pick(8) != 0 ? 1 + in.pick(12) : in.pick(260) - 30;
    const int cut = 1 + in.pick(16);
    const FuzzCuts cuts(in);
    const QByteArray stream = in.rest();

    AnsiScreen whole(columns, rows);
    AnsiScreen pieces(columns, rows);
    QByteArray wholeReplies;
    QByteArray pieceReplies;
    whole.setReplyHandler([&](const QByteArray& r) { wholeReplies += r; });
    pieces.setReplyHandler([&](const QByteArray& r) { pieceReplies += r; });
    checkBounds(whole);

    whole.feed(stream);
    for (const QByteArrayView piece : cuts.pieces(stream))
        pieces.feed(piece);

    checkBounds(whole);
    FUZZ_CHECK(sameScreen(whole, pieces));
    FUZZ_CHECK(wholeReplies == pieceReplies);

    // A size change afterwards keeps everything within the new bounds.
    whole.resize(1 + (cut * 7) % 90, 1 + (cut * 3) % 30);
    checkBounds(whole);
    whole.feed(stream.left(64));
    checkBounds(whole);
    return 0;
}
