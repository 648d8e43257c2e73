#pragma once

#include "quillet/header_footer.h"
#include "quillet/page_breaker.h"
#include "quillet/page_settings.h"

#include <QFont>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace quillet {

// Draws printed pages: the header at the top of the print rectangle, the text's rows in
// the text area (the print rectangle less one font height at the top and at the bottom), the
// footer at the bottom. Works in the device units of the page it is given (the printer's,
// or a nominal page for the preview), with the sheet's font scaled to that resolution, so
// the preview and the printout are laid out alike.
class PagePainter {
public:
    struct Page {
        QSizeF size;        // the whole sheet of paper, in device units
        qreal dpiX = 72;
        qreal dpiY = 72;
    };

    PagePainter(const Page& page, const QFont& sheetFont, const PageSettings& settings);

    const QFont& font() const { return m_font; }
    QRectF printRect() const { return m_printRect; }
    QRectF textRect() const { return m_textRect; }
    qreal lineHeight() const { return m_lineHeight; }
    int rowsPerPage() const;

    // Lays out `text` from `begin` to `end` for this page's text area.
    PageBreaker breaker(const QString& text, qsizetype begin, qsizetype end) const;

    // One page: header and footer (codes expanded with `context`), then the rows.
    void paint(QPainter& painter, PageBreaker& breaker, const std::vector<PageBreaker::Row>& rows,
               const HeaderFooter::Context& context) const;

private:
    void paintLine(QPainter& painter, const QRectF& rect, const HeaderFooter::Line& line) const;

    QFont m_font;
    PageSettings m_settings;
    QRectF m_printRect;
    QRectF m_textRect;
    qreal m_lineHeight = 1;
    qreal m_ascent = 0;
};

} // namespace quillet
