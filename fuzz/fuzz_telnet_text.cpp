// The telnet client's bytes as display text, read after read. The same bytes cut into
// reads anywhere give the same text; no display line grows beyond the line limit; only
// line breaks and tabs remain as control characters; every byte but the line ends gives
// exactly one character; and printable text typed back gives the client's bytes again.

#include "fuzz/fuzz_input.h"
#include "terminal/connections/telnet_text.h"

using tarvex::TelnetText;

namespace {

// Checks the text of `bytes`; says whether they were all printable.
FUZZ_NO_COVERAGE bool checkText(const QString& text, const QByteArray& bytes)
{
    qsizetype column = 0;
    qsizetype characters = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            column = 0;
            continue;
        }
        FUZZ_CHECK(c == QLatin1Char('\t') || c.unicode() >= 0x20);
        FUZZ_CHECK(c.unicode() != 0x7F);
        ++column;
        ++characters;
        FUZZ_CHECK(column <= TelnetText::kLineLimit);
    }
    qsizetype expected = 0;
    bool printable = true;
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u != '\r' && u != '\n')
            ++expected;
        if (u < 0x20 || u == 0x7F)
            printable = false;
    }
    FUZZ_CHECK(characters == expected);
    return printable;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const FuzzCuts cuts(in);
    const QByteArray bytes = in.rest();

    TelnetText whole;
    const QString text = whole.decode(bytes);
    TelnetText reads;
    QString pieces;
    for (const QByteArrayView piece : cuts.pieces(bytes))
        pieces += reads.decode(piece.toByteArray());
    FUZZ_CHECK(text == pieces);

    const bool printable = checkText(text, bytes);
    if (printable) {
        QString typed = text;
        typed.remove(QLatin1Char('\n')); // the breaks of over-long lines
        FUZZ_CHECK(TelnetText::keyBytes(typed) == bytes);
    }
    return 0;
}
