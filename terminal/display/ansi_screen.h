#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace tarvex {

// The screen of the session display: a grid of character cells that a device console
// draws on with the VT100/ANSI control sequences. Bytes are Windows-1252 text, except in
// the line-drawing set, which maps to Unicode box characters. The interpreter keeps no
// text of a sequence, only a bounded number of parameters, so any byte stream leaves it
// with constant memory and a valid screen; unknown or malformed sequences are consumed.
class AnsiScreen
{
public:
    // Cell attributes.
    enum Attribute : std::uint8_t { Bold = 1, Underline = 2, Blink = 4, Reverse = 8 };

    // A colour: the default of the screen, one of the 256 indexed colours (0–7 normal,
    // 8–15 bright, 16–255 the 6×6×6 cube and the grey ramp), or a direct RGB value.
    using Colour = std::uint32_t;
    static constexpr Colour kDefault = 0;
    static constexpr Colour indexed(int n) { return 0x01000000u | std::uint32_t(n & 0xff); }
    static constexpr Colour rgb(int r, int g, int b)
    {
        return 0x02000000u | (std::uint32_t(r & 0xff) << 16) | (std::uint32_t(g & 0xff) << 8)
            | std::uint32_t(b & 0xff);
    }
    static constexpr bool isIndexed(Colour c) { return (c >> 24) == 1; }
    static constexpr bool isRgb(Colour c) { return (c >> 24) == 2; }
    // Red, green and blue of an indexed or RGB colour as 0xRRGGBB (the xterm palette).
    static std::uint32_t rgbOf(Colour c);

    struct Cell
    {
        QChar ch = QLatin1Char(' ');
        std::uint8_t attributes = 0;
        Colour foreground = kDefault;
        Colour background = kDefault;
        bool operator==(const Cell&) const = default;
    };

    static constexpr int kMaxColumns = 500;
    static constexpr int kMaxRows = 200;
    static constexpr int kMaxParameters = 16;
    // Lines kept after they scrolled off the top of the screen.
    static constexpr int kMaxScrollback = 1000;

    // A size outside 1..kMaxColumns / 1..kMaxRows is brought into that range.
    explicit AnsiScreen(int columns = 80, int rows = 25);

    // Interprets received bytes; sequences may be split anywhere between two calls.
    void feed(QByteArrayView bytes);
    // Changes the size; the content keeps its place at the top left, the cursor stays in
    // the screen, the scrolling region becomes the whole screen.
    void resize(int columns, int rows);
    // Full reset (as ESC c): blank screen, cursor home, default modes and tab stops.
    void reset();

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    const Cell& cell(int row, int column) const
    {
        return m_cells[std::size_t(m_rowOrder[std::size_t(row)] * m_columns + column)];
    }
    // The characters of one row, the full width.
    QString rowText(int row) const;

    int cursorRow() const { return m_cursor.row; }
    int cursorColumn() const { return m_cursor.column; }
    bool cursorVisible() const { return m_cursorVisible; }
    bool applicationCursorKeys() const { return m_applicationCursorKeys; }
    bool autowrap() const { return m_autowrap; }
    bool originMode() const { return m_cursor.originMode; }
    int scrollTop() const { return m_top; }
    int scrollBottom() const { return m_bottom; }
    bool tabStopAt(int column) const;

    // The scroll-back: lines that left the top of the screen by scrolling the whole screen
    // (line feeds and scroll-ups with the region's top at the first row), oldest first, at
    // most kMaxScrollback. A line keeps the width it had; cells beyond it read blank.
    int scrollbackLines() const { return int(m_scrollback.size()); }
    const Cell& scrollbackCell(int line, int column) const;

    // Grows with every change of cells, cursor or modes: a view repaints when it differs
    // from the count it painted.
    std::uint64_t changeCount() const { return m_changes; }

    // Answers to the device (status and cursor reports, device attributes).
    void setReplyHandler(std::function<void(const QByteArray&)> handler) { m_reply = std::move(handler); }
    // BEL received.
    void setBellHandler(std::function<void()> handler) { m_bell = std::move(handler); }

private:
    enum class State { Ground, Escape, EscapeIntermediate, Csi, CsiIgnore, String, StringEscape };

    struct Cursor
    {
        int row = 0;
        int column = 0;
        bool pendingWrap = false;
        bool originMode = false;
        std::uint8_t attributes = 0;
        Colour foreground = kDefault;
        Colour background = kDefault;
        std::array<char, 2> charsets{'B', 'B'};
        int shift = 0; // 0: G0 in use, 1: G1 (SO)
    };

    void byte(unsigned char b);
    void control(unsigned char b);
    void escape(unsigned char final);
    void escapeIntermediate(unsigned char final);
    void csi(unsigned char final);
    void sgr();
    void setModes(bool on);
    void print(QChar c);

    int param(int index, int fallback) const;
    Cell blank() const;
    Cell& at(int row, int column) { return rowCells(row)[column]; }
    Cell* rowCells(int row) { return m_cells.data() + std::size_t(m_rowOrder[std::size_t(row)] * m_columns); }
    void clearCells(int row, int from, int to); // columns from..to-1 of one row
    void clearRows(int from, int to);           // rows from..to-1
    // keep: the lines leaving the top go to the scroll-back.
    void scrollUp(int top, int bottom, int count, bool keep = false);
    void scrollDown(int top, int bottom, int count);
    void lineFeed();
    void reverseIndex();
    void moveTo(int row, int column); // absolute screen position, clamped
    void moveToOrigin(int row, int column); // row relative to the region in origin mode
    void defaultTabStops();
    void reply(const QByteArray& bytes);
    void changed() { ++m_changes; }

    int m_columns = 80;
    int m_rows = 25;
    std::vector<Cell> m_cells;
    // Screen row → row of m_cells: scrolling moves these numbers, not the cells.
    std::vector<int> m_rowOrder;
    std::deque<std::vector<Cell>> m_scrollback;
    std::vector<bool> m_tabStops;
    Cursor m_cursor;
    Cursor m_saved;
    int m_top = 0;
    int m_bottom = 24;
    bool m_autowrap = true;
    bool m_cursorVisible = true;
    bool m_applicationCursorKeys = false;
    bool m_insertMode = false;
    QChar m_lastPrinted = QLatin1Char(' ');

    State m_state = State::Ground;
    std::array<int, kMaxParameters> m_params{};
    int m_paramCount = 0;
    bool m_paramStarted = false;
    char m_private = 0;      // '?', '>', '<' or '=' leading a CSI's parameters
    char m_intermediate = 0; // the last intermediate byte (0x20–0x2F)

    std::uint64_t m_changes = 0;
    std::function<void(const QByteArray&)> m_reply;
    std::function<void()> m_bell;
};

} // namespace tarvex
