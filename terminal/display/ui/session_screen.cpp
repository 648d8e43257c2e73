#include "terminal/display/ui/session_screen.h"

#include "terminal/display/session_keys.h"
#include "terminal/display/ui/display_style.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace tarvex {

namespace {

const QColor kDefaultForeground(0xe5, 0xe5, 0xe5);
const QColor kDefaultBackground(Qt::black);

QColor colourOf(AnsiScreen::Colour c, const QColor& fallback)
{
    if (c == AnsiScreen::kDefault)
        return fallback;
    return QColor::fromRgb(QRgb(0xff000000u | AnsiScreen::rgbOf(c)));
}

} // namespace

SessionScreen::SessionScreen(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm1_SessionScreen"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFontSize(0);
}

void SessionScreen::setFontSize(int size)
{
    const int points = size > 0 ? size : 10;
    QFont f = DisplayStyle::fontFromRecord(QStringLiteral("|Courier New|") + QString::number(points)
                                           + QStringLiteral("|Falsch|Falsch|Falsch|"));
    f.setStyleHint(QFont::TypeWriter);
    const auto fixedPitch = [](const QFont& font) {
        const QFontMetrics fm(font);
        return fm.horizontalAdvance(QLatin1Char('i')) == fm.horizontalAdvance(QLatin1Char('M'));
    };
    if (QFontInfo(f).family().compare(QStringLiteral("Courier New"), Qt::CaseInsensitive) != 0 || !fixedPitch(f)) {
        // The system's fixed-pitch font; where the platform names none, the one the font
        // configuration matches for "monospace".
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (!fixedPitch(fixed)) {
            fixed = QFont(QStringLiteral("monospace"));
            fixed.setStyleHint(QFont::TypeWriter);
            fixed.setFixedPitch(true);
        }
        fixed.setPointSize(points);
        f = fixed;
    }
    setFont(f);
    updateMetrics();
}

void SessionScreen::setScreenSize(int columns, int rows)
{
    if (columns == m_screen.columns() && rows == m_screen.rows())
        return;
    m_screen.resize(columns, rows);
    updateMetrics();
}

void SessionScreen::updateMetrics()
{
    const QFontMetrics fm(font());
    m_cellWidth = qMax(1, fm.horizontalAdvance(QLatin1Char('M')));
    m_cellHeight = qMax(1, fm.height());
    m_ascent = fm.ascent();
    // Never smaller than the grid: a scroll area around the screen shows what doesn't fit.
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

QSize SessionScreen::sizeHint() const
{
    return {m_screen.columns() * m_cellWidth, m_screen.rows() * m_cellHeight};
}

void SessionScreen::setScrollBack(int lines)
{
    lines = qBound(0, lines, m_screen.scrollbackLines());
    if (lines != m_scrollBack) {
        m_scrollBack = lines;
        update();
    }
}

void SessionScreen::feed(QByteArrayView bytes)
{
    const int kept = m_screen.scrollbackLines();
    m_screen.feed(bytes);
    // A view moved back stays on the lines it shows while new ones arrive.
    if (m_scrollBack > 0)
        setScrollBack(m_scrollBack + m_screen.scrollbackLines() - kept);
    if (m_screen.changeCount() != m_painted)
        update(); // Qt joins the requests of one pass into one paint
}

bool SessionScreen::event(QEvent* event)
{
    // Keys the device gets go to the screen, not to a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!bytesFor(*key).isEmpty()) {
            key->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

bool SessionScreen::focusNextPrevChild(bool)
{
    return false; // Tab is a key for the device
}

QByteArray SessionScreen::bytesFor(const QKeyEvent& event) const
{
    return sessionKeyBytes(event.key(), event.modifiers(), event.text(), m_screen.applicationCursorKeys(),
                           m_backspace);
}

void SessionScreen::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    setScrollBack(m_scrollBack + 3 * steps);
    event->accept();
}

void SessionScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::ShiftModifier
        && (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)) {
        const int page = qMax(1, m_screen.rows() - 1);
        setScrollBack(m_scrollBack + (event->key() == Qt::Key_PageUp ? page : -page));
        event->accept();
        return;
    }
    const QByteArray bytes = bytesFor(*event);
    if (bytes.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    setScrollBack(0);
    emit keyBytes(bytes);
}

void SessionScreen::paintEvent(QPaintEvent*)
{
    m_painted = m_screen.changeCount();
    QPainter p(this);
    p.fillRect(rect(), kDefaultBackground);
    const QFont normal = font();
    QFont bold = normal;
    bold.setBold(true);
    QFont underline = normal;
    underline.setUnderline(true);
    QFont boldUnderline = bold;
    boldUnderline.setUnderline(true);

    // Row r of the view: a line of the scroll-back while the view is moved back.
    const auto cellAt = [this](int r, int c) -> const AnsiScreen::Cell& {
        const int line = r - m_scrollBack;
        return line < 0 ? m_screen.scrollbackCell(m_screen.scrollbackLines() + line, c) : m_screen.cell(line, c);
    };
    for (int r = 0; r < m_screen.rows(); ++r) {
        const int y = r * m_cellHeight;
        int c = 0;
        while (c < m_screen.columns()) {
            // One run of cells that look alike.
            const AnsiScreen::Cell& first = cellAt(r, c);
            int end = c + 1;
            QString text(first.ch);
            while (end < m_screen.columns()) {
                const AnsiScreen::Cell& next = cellAt(r, end);
                if (next.attributes != first.attributes || next.foreground != first.foreground
                    || next.background != first.background)
                    break;
                text.append(next.ch);
                ++end;
            }
            QColor fg = colourOf(first.foreground, kDefaultForeground);
            QColor bg = colourOf(first.background, kDefaultBackground);
            if (first.attributes & AnsiScreen::Reverse)
                std::swap(fg, bg);
            const QRect area(c * m_cellWidth, y, (end - c) * m_cellWidth, m_cellHeight);
            if (bg != kDefaultBackground)
                p.fillRect(area, bg);
            if (!text.trimmed().isEmpty() || (first.attributes & AnsiScreen::Underline)) {
                const bool b = first.attributes & AnsiScreen::Bold;
                const bool u = first.attributes & AnsiScreen::Underline;
                p.setFont(b ? (u ? boldUnderline : bold) : (u ? underline : normal));
                p.setPen(fg);
                // cell by cell, so a character the font draws wider keeps the grid
                for (int i = 0; i < text.size(); ++i)
                    if (text.at(i) != QLatin1Char(' ') || u)
                        p.drawText(QPoint((c + i) * m_cellWidth, y + m_ascent), QString(text.at(i)));
            }
            c = end;
        }
    }

    if (m_screen.cursorVisible() && m_screen.cursorRow() + m_scrollBack < m_screen.rows()) {
        const QRect cursor(m_screen.cursorColumn() * m_cellWidth, (m_screen.cursorRow() + m_scrollBack) * m_cellHeight,
                           m_cellWidth, m_cellHeight);
        if (hasFocus()) {
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.fillRect(cursor, Qt::white);
        } else {
            p.setPen(kDefaultForeground);
            p.drawRect(cursor.adjusted(0, 0, -1, -1));
        }
    }
}

} // namespace tarvex
