#include "terminal/display/ansi_screen.h"

#include "shared/cp1252.h"

#include <algorithm>

namespace tarvex {

namespace {

constexpr int kMaxParameterValue = 65535;

// The line-drawing set for the bytes 0x5F to 0x7E.
constexpr char16_t kLineDrawing[32] = {
    0x00A0, 0x25C6, 0x2592, 0x2409, 0x240C, 0x240D, 0x240A, 0x00B0, //  _ ` a b c d e f
    0x00B1, 0x2424, 0x240B, 0x2518, 0x2510, 0x250C, 0x2514, 0x253C, //  g h i j k l m n
    0x23BA, 0x23BB, 0x2500, 0x23BC, 0x23BD, 0x251C, 0x2524, 0x2534, //  o p q r s t u v
    0x252C, 0x2502, 0x2264, 0x2265, 0x03C0, 0x2260, 0x00A3, 0x00B7, //  w x y z { | } ~
};

constexpr std::uint32_t kBasicColours[16] = {
    0x000000, 0xcd0000, 0x00cd00, 0xcdcd00, 0x0000ee, 0xcd00cd, 0x00cdcd, 0xe5e5e5,
    0x7f7f7f, 0xff0000, 0x00ff00, 0xffff00, 0x5c5cff, 0xff00ff, 0x00ffff, 0xffffff,
};

} // namespace

std::uint32_t AnsiScreen::rgbOf(Colour c)
{
    if (isRgb(c))
        return c & 0xffffff;
    const int n = int(c & 0xff);
    if (n < 16)
        return kBasicColours[n];
    if (n < 232) {
        static constexpr int levels[6] = {0, 95, 135, 175, 215, 255};
        const int i = n - 16;
        return std::uint32_t(levels[i / 36] << 16 | levels[(i / 6) % 6] << 8 | levels[i % 6]);
    }
    const int grey = 8 + 10 * (n - 232);
    return std::uint32_t(grey << 16 | grey << 8 | grey);
}

AnsiScreen::AnsiScreen(int columns, int rows)
{
    m_columns = std::clamp(columns, 1, kMaxColumns);
    m_rows = std::clamp(rows, 1, kMaxRows);
    reset();
}

void AnsiScreen::reset()
{
    m_cursor = Cursor();
    m_saved = Cursor();
    m_cells.assign(std::size_t(m_columns * m_rows), Cell());
    m_scrollback.clear();
    m_rowOrder.resize(std::size_t(m_rows));
    for (int r = 0; r < m_rows; ++r)
        m_rowOrder[std::size_t(r)] = r;
    m_top = 0;
    m_bottom = m_rows - 1;
    m_autowrap = true;
    m_cursorVisible = true;
    m_applicationCursorKeys = false;
    m_insertMode = false;
    m_lastPrinted = QLatin1Char(' ');
    m_state = State::Ground;
    defaultTabStops();
    changed();
}

void AnsiScreen::defaultTabStops()
{
    m_tabStops.assign(std::size_t(m_columns), false);
    for (int c = 8; c < m_columns; c += 8)
        m_tabStops[std::size_t(c)] = true;
}

void AnsiScreen::resize(int columns, int rows)
{
    columns = std::clamp(columns, 1, kMaxColumns);
    rows = std::clamp(rows, 1, kMaxRows);
    if (columns == m_columns && rows == m_rows)
        return;
    std::vector<Cell> cells(std::size_t(columns * rows), Cell());
    for (int r = 0; r < std::min(rows, m_rows); ++r)
        for (int c = 0; c < std::min(columns, m_columns); ++c)
            cells[std::size_t(r * columns + c)] = at(r, c);
    std::vector<bool> stops(std::size_t(columns), false);
    for (int c = 0; c < columns; ++c)
        stops[std::size_t(c)] = c < m_columns ? bool(m_tabStops[std::size_t(c)]) : c % 8 == 0 && c > 0;
    m_cells = std::move(cells);
    m_rowOrder.resize(std::size_t(rows));
    for (int r = 0; r < rows; ++r)
        m_rowOrder[std::size_t(r)] = r;
    m_tabStops = std::move(stops);
    m_columns = columns;
    m_rows = rows;
    m_top = 0;
    m_bottom = rows - 1;
    for (Cursor* cursor : {&m_cursor, &m_saved}) {
        cursor->row = std::min(cursor->row, rows - 1);
        cursor->column = std::min(cursor->column, columns - 1);
        cursor->pendingWrap = false;
    }
    changed();
}

QString AnsiScreen::rowText(int row) const
{
    QString text;
    text.reserve(m_columns);
    for (int c = 0; c < m_columns; ++c)
        text.append(cell(row, c).ch);
    return text;
}

bool AnsiScreen::tabStopAt(int column) const
{
    return column >= 0 && column < m_columns && m_tabStops[std::size_t(column)];
}

void AnsiScreen::feed(QByteArrayView bytes)
{
    for (const char b : bytes)
        byte(static_cast<unsigned char>(b));
}

void AnsiScreen::byte(unsigned char b)
{
    // CAN and SUB abort a sequence, ESC starts a new one; in a control string (OSC, DCS …)
    // every other byte belongs to the string up to BEL or ESC \.
    if (m_state == State::String) {
        if (b == 0x07 || b == 0x18 || b == 0x1a)
            m_state = State::Ground;
        else if (b == 0x1b)
            m_state = State::StringEscape;
        return;
    }
    if (m_state == State::StringEscape) {
        // ESC \ ends the string; ESC and anything else ends it and starts a sequence.
        if (b == '\\') {
            m_state = State::Ground;
            return;
        }
        m_state = State::Escape;
        m_intermediate = 0;
    }
    if (b == 0x18 || b == 0x1a) {
        m_state = State::Ground;
        return;
    }
    if (b == 0x1b) {
        m_state = State::Escape;
        m_intermediate = 0;
        return;
    }
    // Other control characters act at once, also in the middle of a sequence.
    if (b < 0x20) {
        control(b);
        return;
    }
    switch (m_state) {
    case State::Ground:
        if (b == 0x7f)
            return;
        {
            const int set = m_cursor.charsets[std::size_t(m_cursor.shift)];
            if (set == '0' && b >= 0x5f && b <= 0x7e)
                print(QChar(kLineDrawing[b - 0x5f]));
            else
                print(Cp1252::toUnicode(b));
        }
        return;
    case State::Escape:
        if (b >= 0x20 && b <= 0x2f) {
            m_intermediate = char(b);
            m_state = State::EscapeIntermediate;
        } else {
            m_state = State::Ground;
            escape(b);
        }
        return;
    case State::EscapeIntermediate:
        if (b >= 0x20 && b <= 0x2f)
            return; // further intermediates: the sequence is not one of ours
        m_state = State::Ground;
        escapeIntermediate(b);
        return;
    case State::Csi:
    case State::CsiIgnore:
        if (b >= 0x40 && b <= 0x7e) {
            const bool valid = m_state == State::Csi;
            m_state = State::Ground;
            if (valid) {
                if (m_paramStarted)
                    ++m_paramCount;
                csi(b);
            }
        } else if (m_state == State::CsiIgnore) {
            return;
        } else if (b >= '0' && b <= '9') {
            if (m_paramCount >= kMaxParameters) {
                m_state = State::CsiIgnore;
                return;
            }
            int& value = m_params[std::size_t(m_paramCount)];
            value = std::min(value * 10 + (b - '0'), kMaxParameterValue);
            m_paramStarted = true;
        } else if (b == ';' || b == ':') {
            if (m_paramCount + 1 >= kMaxParameters) {
                m_state = State::CsiIgnore;
                return;
            }
            ++m_paramCount;
            m_paramStarted = true;
        } else if (b >= 0x3c && b <= 0x3f) {
            // A private marker belongs before the parameters only.
            if (m_paramStarted || m_private || m_intermediate)
                m_state = State::CsiIgnore;
            else
                m_private = char(b);
        } else if (b >= 0x20 && b <= 0x2f) {
            m_intermediate = char(b);
        } else {
            m_state = State::CsiIgnore;
        }
        return;
    case State::String:
    case State::StringEscape:
        return;
    }
}

void AnsiScreen::control(unsigned char b)
{
    switch (b) {
    case 0x07:
        if (m_bell)
            m_bell();
        break;
    case 0x08:
        if (m_cursor.column > 0)
            --m_cursor.column;
        m_cursor.pendingWrap = false;
        changed();
        break;
    case 0x09: {
        int c = m_cursor.column + 1;
        while (c < m_columns - 1 && !m_tabStops[std::size_t(c)])
            ++c;
        m_cursor.column = std::min(c, m_columns - 1);
        m_cursor.pendingWrap = false;
        changed();
        break;
    }
    case 0x0a:
    case 0x0b:
    case 0x0c:
        lineFeed();
        break;
    case 0x0d:
        m_cursor.column = 0;
        m_cursor.pendingWrap = false;
        changed();
        break;
    case 0x0e:
        m_cursor.shift = 1;
        break;
    case 0x0f:
        m_cursor.shift = 0;
        break;
    default:
        break; // NUL, ENQ and the rest are not shown
    }
}

void AnsiScreen::escape(unsigned char final)
{
    switch (final) {
    case '[':
        m_state = State::Csi;
        m_params.fill(0);
        m_paramCount = 0;
        m_paramStarted = false;
        m_private = 0;
        m_intermediate = 0;
        break;
    case ']': // OSC, DCS, SOS, PM, APC: strings that are skipped
    case 'P':
    case 'X':
    case '^':
    case '_':
        m_state = State::String;
        break;
    case '7':
        m_saved = m_cursor;
        break;
    case '8':
        m_cursor = m_saved;
        changed();
        break;
    case 'D':
        lineFeed();
        break;
    case 'E':
        m_cursor.column = 0;
        lineFeed();
        break;
    case 'M':
        reverseIndex();
        break;
    case 'H':
        m_tabStops[std::size_t(m_cursor.column)] = true;
        break;
    case 'c':
        reset();
        break;
    default:
        break; // keypad modes (= >) and everything else: no effect on the screen
    }
}

void AnsiScreen::escapeIntermediate(unsigned char final)
{
    switch (m_intermediate) {
    case '(':
        m_cursor.charsets[0] = final == '0' ? '0' : 'B';
        break;
    case ')':
        m_cursor.charsets[1] = final == '0' ? '0' : 'B';
        break;
    case '#':
        if (final == '8') { // alignment test: the screen full of E
            Cell e;
            e.ch = QLatin1Char('E');
            std::fill(m_cells.begin(), m_cells.end(), e);
            m_top = 0;
            m_bottom = m_rows - 1;
            moveTo(0, 0);
        }
        break;
    default:
        break;
    }
}

int AnsiScreen::param(int index, int fallback) const
{
    if (index >= m_paramCount || m_params[std::size_t(index)] == 0)
        return fallback;
    return m_params[std::size_t(index)];
}

AnsiScreen::Cell AnsiScreen::blank() const
{
    Cell c;
    c.background = m_cursor.background;
    return c;
}

void AnsiScreen::clearCells(int row, int from, int to)
{
    from = std::clamp(from, 0, m_columns);
    to = std::clamp(to, from, m_columns);
    const Cell b = blank();
    std::fill(rowCells(row) + from, rowCells(row) + to, b);
    changed();
}

void AnsiScreen::clearRows(int from, int to)
{
    from = std::clamp(from, 0, m_rows);
    to = std::clamp(to, from, m_rows);
    const Cell b = blank();
    for (int r = from; r < to; ++r)
        std::fill(rowCells(r), rowCells(r) + m_columns, b);
    changed();
}

const AnsiScreen::Cell& AnsiScreen::scrollbackCell(int line, int column) const
{
    static const Cell blankCell;
    const std::vector<Cell>& cells = m_scrollback[std::size_t(line)];
    return column < int(cells.size()) ? cells[std::size_t(column)] : blankCell;
}

void AnsiScreen::scrollUp(int top, int bottom, int count, bool keep)
{
    count = std::clamp(count, 0, bottom - top + 1);
    if (count == 0)
        return;
    if (keep && top == 0) {
        for (int r = 0; r < count; ++r) {
            if (int(m_scrollback.size()) == kMaxScrollback)
                m_scrollback.pop_front();
            m_scrollback.emplace_back(rowCells(r), rowCells(r) + m_columns);
        }
    }
    const auto first = m_rowOrder.begin() + top;
    std::rotate(first, first + count, m_rowOrder.begin() + bottom + 1);
    clearRows(bottom + 1 - count, bottom + 1);
}

void AnsiScreen::scrollDown(int top, int bottom, int count)
{
    count = std::clamp(count, 0, bottom - top + 1);
    if (count == 0)
        return;
    const auto last = m_rowOrder.begin() + bottom + 1;
    std::rotate(m_rowOrder.begin() + top, last - count, last);
    clearRows(top, top + count);
}

void AnsiScreen::lineFeed()
{
    m_cursor.pendingWrap = false;
    if (m_cursor.row == m_bottom)
        scrollUp(m_top, m_bottom, 1, true);
    else if (m_cursor.row < m_rows - 1)
        ++m_cursor.row;
    changed();
}

void AnsiScreen::reverseIndex()
{
    m_cursor.pendingWrap = false;
    if (m_cursor.row == m_top)
        scrollDown(m_top, m_bottom, 1);
    else if (m_cursor.row > 0)
        --m_cursor.row;
    changed();
}

void AnsiScreen::moveTo(int row, int column)
{
    m_cursor.row = std::clamp(row, 0, m_rows - 1);
    m_cursor.column = std::clamp(column, 0, m_columns - 1);
    m_cursor.pendingWrap = false;
    changed();
}

void AnsiScreen::moveToOrigin(int row, int column)
{
    if (m_cursor.originMode)
        moveTo(std::clamp(row + m_top, m_top, m_bottom), column);
    else
        moveTo(row, column);
}

void AnsiScreen::print(QChar c)
{
    if (m_cursor.pendingWrap && m_autowrap) {
        m_cursor.column = 0;
        lineFeed();
    }
    Cell& target = at(m_cursor.row, m_cursor.column);
    if (m_insertMode) {
        Cell* rowStart = rowCells(m_cursor.row);
        std::move_backward(rowStart + m_cursor.column, rowStart + m_columns - 1, rowStart + m_columns);
    }
    target.ch = c;
    target.attributes = m_cursor.attributes;
    target.foreground = m_cursor.foreground;
    target.background = m_cursor.background;
    m_lastPrinted = c;
    if (m_cursor.column == m_columns - 1)
        m_cursor.pendingWrap = m_autowrap;
    else
        ++m_cursor.column;
    changed();
}

void AnsiScreen::reply(const QByteArray& bytes)
{
    if (m_reply)
        m_reply(bytes);
}

void AnsiScreen::csi(unsigned char final)
{
    // Private sequences other than the modes, and sequences with intermediates
    // (cursor style and the like), do not change the screen.
    if (m_private == '?' && final != 'h' && final != 'l')
        return;
    if (m_private && m_private != '?') {
        if (m_private == '>' && final == 'c' && param(0, 0) == 0)
            reply(QByteArrayLiteral("\x1b[>0;10;0c"));
        return;
    }
    if (m_intermediate)
        return;

    const int n = param(0, 1);
    Cursor& cur = m_cursor;
    const int regionTop = (cur.row >= m_top && cur.row <= m_bottom) ? m_top : 0;
    const int regionBottom = (cur.row >= m_top && cur.row <= m_bottom) ? m_bottom : m_rows - 1;
    switch (final) {
    case 'A': // CUU: up, not past the top margin when inside the region
        moveTo(std::max(cur.row - n, cur.row >= m_top ? m_top : 0), cur.column);
        break;
    case 'B': // CUD
        moveTo(std::min(cur.row + n, cur.row <= m_bottom ? m_bottom : m_rows - 1), cur.column);
        break;
    case 'C': // CUF
    case 'a': // HPR
        moveTo(cur.row, cur.column + n);
        break;
    case 'D': // CUB
        moveTo(cur.row, cur.column - n);
        break;
    case 'e': // VPR
        moveTo(std::min(cur.row + n, regionBottom), cur.column);
        break;
    case 'E': // CNL
        moveTo(std::min(cur.row + n, regionBottom), 0);
        break;
    case 'F': // CPL
        moveTo(std::max(cur.row - n, regionTop), 0);
        break;
    case 'G': // CHA
    case '`': // HPA
        moveTo(cur.row, n - 1);
        break;
    case 'd': // VPA
        moveToOrigin(n - 1, cur.column);
        break;
    case 'H': // CUP
    case 'f': // HVP
        moveToOrigin(param(0, 1) - 1, param(1, 1) - 1);
        break;
    case 'I': // CHT: forward n tab stops
        for (int i = 0; i < n && cur.column < m_columns - 1; ++i)
            control(0x09);
        break;
    case 'Z': { // CBT: back n tab stops
        int c = cur.column;
        for (int i = 0; i < n && c > 0; ++i) {
            --c;
            while (c > 0 && !m_tabStops[std::size_t(c)])
                --c;
        }
        moveTo(cur.row, c);
        break;
    }
    case 'J': // ED
        switch (param(0, 0)) {
        case 0:
            clearCells(cur.row, cur.column, m_columns);
            clearRows(cur.row + 1, m_rows);
            break;
        case 1:
            clearRows(0, cur.row);
            clearCells(cur.row, 0, cur.column + 1);
            break;
        case 3: // also the scroll-back
            m_scrollback.clear();
            [[fallthrough]];
        case 2:
            clearRows(0, m_rows);
            break;
        default:
            break;
        }
        cur.pendingWrap = false;
        break;
    case 'K': // EL
        switch (param(0, 0)) {
        case 0:
            clearCells(cur.row, cur.column, m_columns);
            break;
        case 1:
            clearCells(cur.row, 0, cur.column + 1);
            break;
        case 2:
            clearCells(cur.row, 0, m_columns);
            break;
        default:
            break;
        }
        cur.pendingWrap = false;
        break;
    case 'X': // ECH
        clearCells(cur.row, cur.column, cur.column + n);
        cur.pendingWrap = false;
        break;
    case '@': { // ICH
        Cell* rowStart = rowCells(cur.row);
        const int count = std::min(n, m_columns - cur.column);
        std::move_backward(rowStart + cur.column, rowStart + m_columns - count, rowStart + m_columns);
        clearCells(cur.row, cur.column, cur.column + count);
        cur.pendingWrap = false;
        break;
    }
    case 'P': { // DCH
        Cell* rowStart = rowCells(cur.row);
        const int count = std::min(n, m_columns - cur.column);
        std::move(rowStart + cur.column + count, rowStart + m_columns, rowStart + cur.column);
        clearCells(cur.row, m_columns - count, m_columns);
        cur.pendingWrap = false;
        break;
    }
    case 'L': // IL: only inside the scrolling region
        if (cur.row >= m_top && cur.row <= m_bottom) {
            scrollDown(cur.row, m_bottom, n);
            moveTo(cur.row, 0);
        }
        break;
    case 'M': // DL
        if (cur.row >= m_top && cur.row <= m_bottom) {
            scrollUp(cur.row, m_bottom, n);
            moveTo(cur.row, 0);
        }
        break;
    case 'S': // SU
        scrollUp(m_top, m_bottom, n, true);
        break;
    case 'T': // SD
        scrollDown(m_top, m_bottom, n);
        break;
    case 'b': // REP: the last printed character again
        for (int i = 0; i < std::min(n, m_columns * m_rows); ++i)
            print(m_lastPrinted);
        break;
    case 'g': // TBC
        if (param(0, 0) == 0)
            m_tabStops[std::size_t(cur.column)] = false;
        else if (param(0, 0) == 3)
            std::fill(m_tabStops.begin(), m_tabStops.end(), false);
        break;
    case 'm':
        sgr();
        break;
    case 'h':
    case 'l':
        setModes(final == 'h');
        break;
    case 'r': { // DECSTBM
        const int top = param(0, 1) - 1;
        const int bottom = param(1, m_rows) - 1;
        if (top < bottom && bottom < m_rows) {
            m_top = top;
            m_bottom = bottom;
            moveToOrigin(0, 0);
        }
        break;
    }
    case 's':
        m_saved = cur;
        break;
    case 'u':
        m_cursor = m_saved;
        changed();
        break;
    case 'n': // DSR
        if (param(0, 0) == 5) {
            reply(QByteArrayLiteral("\x1b[0n"));
        } else if (param(0, 0) == 6) {
            const int row = cur.originMode ? cur.row - m_top : cur.row;
            reply("\x1b[" + QByteArray::number(row + 1) + ';' + QByteArray::number(cur.column + 1) + 'R');
        }
        break;
    case 'c': // DA: a VT100 with advanced video
        if (param(0, 0) == 0)
            reply(QByteArrayLiteral("\x1b[?1;2c"));
        break;
    default:
        break;
    }
}

void AnsiScreen::setModes(bool on)
{
    for (int i = 0; i < std::max(m_paramCount, 1); ++i) {
        const int mode = m_params[std::size_t(i)];
        if (m_private != '?') {
            if (mode == 4)
                m_insertMode = on;
            continue;
        }
        switch (mode) {
        case 1:
            m_applicationCursorKeys = on;
            break;
        case 6:
            m_cursor.originMode = on;
            moveToOrigin(0, 0);
            break;
        case 7:
            m_autowrap = on;
            if (!on)
                m_cursor.pendingWrap = false;
            break;
        case 25:
            m_cursorVisible = on;
            break;
        default:
            break;
        }
    }
    changed();
}

void AnsiScreen::sgr()
{
    Cursor& cur = m_cursor;
    const int count = std::max(m_paramCount, 1);
    for (int i = 0; i < count; ++i) {
        const int p = m_params[std::size_t(i)];
        if (p == 38 || p == 48) {
            // Extended colour: 5;n (indexed) or 2;r;g;b (direct); incomplete forms are dropped.
            Colour colour = kDefault;
            bool ok = false;
            if (i + 2 < count && m_params[std::size_t(i + 1)] == 5) {
                colour = indexed(std::min(m_params[std::size_t(i + 2)], 255));
                ok = m_params[std::size_t(i + 2)] <= 255;
                i += 2;
            } else if (i + 4 < count && m_params[std::size_t(i + 1)] == 2) {
                const int r = m_params[std::size_t(i + 2)];
                const int g = m_params[std::size_t(i + 3)];
                const int b = m_params[std::size_t(i + 4)];
                colour = rgb(r, g, b);
                ok = r <= 255 && g <= 255 && b <= 255;
                i += 4;
            } else {
                break;
            }
            if (ok)
                (p == 38 ? cur.foreground : cur.background) = colour;
            continue;
        }
        if (p == 0) {
            cur.attributes = 0;
            cur.foreground = kDefault;
            cur.background = kDefault;
        } else if (p == 1) {
            cur.attributes |= Bold;
        } else if (p == 4) {
            cur.attributes |= Underline;
        } else if (p == 5) {
            cur.attributes |= Blink;
        } else if (p == 7) {
            cur.attributes |= Reverse;
        } else if (p == 22) {
            cur.attributes &= std::uint8_t(~Bold);
        } else if (p == 24) {
            cur.attributes &= std::uint8_t(~Underline);
        } else if (p == 25) {
            cur.attributes &= std::uint8_t(~Blink);
        } else if (p == 27) {
            cur.attributes &= std::uint8_t(~Reverse);
        } else if (p >= 30 && p <= 37) {
            cur.foreground = indexed(p - 30);
        } else if (p == 39) {
            cur.foreground = kDefault;
        } else if (p >= 40 && p <= 47) {
            cur.background = indexed(p - 40);
        } else if (p == 49) {
            cur.background = kDefault;
        } else if (p >= 90 && p <= 97) {
            cur.foreground = indexed(p - 90 + 8);
        } else if (p >= 100 && p <= 107) {
            cur.background = indexed(p - 100 + 8);
        }
    }
}

} // namespace tarvex
