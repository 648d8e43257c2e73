#include "quillet/ui/page_painter.h"

#include <QFontMetricsF>
#include <QPainter>

namespace quillet {

PagePainter::PagePainter(const Page& page, const QFont& sheetFont, const PageSettings& settings)
    : m_font(sheetFont), m_settings(settings)
{
    // The sheet's face, size, weight and slant at the page's resolution: the height in
    // device units is the point size times the vertical dots per inch over 72. A pixel size
    // keeps the layout the same on every device the page is drawn on.
    const qreal points = sheetFont.pointSizeF() > 0 ? sheetFont.pointSizeF() : 10.0;
    m_font.setPixelSize(std::max(1, qRound(points * page.dpiY / 72.0)));
    const QFontMetricsF metrics(m_font);
    m_lineHeight = std::max<qreal>(1, metrics.lineSpacing());
    m_ascent = metrics.ascent();

    m_printRect = PageSettings::printRect(QRectF(QPointF(0, 0), page.size),
                                          settings.marginsIn(page.dpiX, page.dpiY));
    m_textRect = m_printRect.adjusted(0, m_lineHeight, 0, -m_lineHeight);
    if (m_textRect.height() < m_lineHeight)
        m_textRect.setHeight(m_lineHeight);
}

int PagePainter::rowsPerPage() const
{
    return std::max(1, static_cast<int>(m_textRect.height() / m_lineHeight));
}

PageBreaker PagePainter::breaker(const QString& text, qsizetype begin, qsizetype end) const
{
    const QFontMetricsF metrics(m_font);
    return PageBreaker(text, begin, end, m_textRect.width(), rowsPerPage(),
                       [metrics](QStringView c) { return metrics.horizontalAdvance(c.toString()); });
}

void PagePainter::paintLine(QPainter& painter, const QRectF& rect, const HeaderFooter::Line& line) const
{
    Qt::Alignment align = Qt::AlignHCenter;
    if (line.align == HeaderFooter::Align::Left)
        align = Qt::AlignLeft;
    else if (line.align == HeaderFooter::Align::Right)
        align = Qt::AlignRight;
    // One line, "&" drawn as it is.
    painter.drawText(rect, static_cast<int>(align | Qt::AlignTop | Qt::TextSingleLine), line.text);
}

void PagePainter::paint(QPainter& painter, PageBreaker& breaker, const std::vector<PageBreaker::Row>& rows,
                        const HeaderFooter::Context& context) const
{
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const QRectF top(m_printRect.left(), m_printRect.top(), m_printRect.width(), m_lineHeight);
    const QRectF bottom(m_printRect.left(), m_printRect.bottom() - m_lineHeight, m_printRect.width(), m_lineHeight);
    paintLine(painter, top, HeaderFooter::expand(m_settings.header, context));
    paintLine(painter, bottom, HeaderFooter::expand(m_settings.footer, context));

    qreal y = m_textRect.top() + m_ascent;
    for (const PageBreaker::Row& row : rows) {
        const QStringView text = breaker.rowText(row);
        const auto pieces = breaker.piecePositions(row);
        for (size_t p = 0; p < pieces.size(); ++p) {
            const qsizetype from = pieces[p].first;
            const qsizetype to = p + 1 < pieces.size() ? pieces[p + 1].first - 1 : row.length;
            if (to > from)
                painter.drawText(QPointF(m_textRect.left() + pieces[p].second, y), text.mid(from, to - from).toString());
        }
        y += m_lineHeight;
    }
    painter.restore();
}

} // namespace quillet
