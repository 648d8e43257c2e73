#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QString>

namespace quillet {

class EditorSettings;

// The page values of one main window: margins in hundredths of a millimetre and the header
// and footer lines (codes, see HeaderFooter). Read at start; written at close only when the
// page settings are to be kept.
struct PageSettings {
    static constexpr int kMaxLineLength = 255;

    int marginLeft = 2000;
    int marginTop = 2500;
    int marginRight = 2500;
    int marginBottom = 2000;
    QString header = QStringLiteral("&n");
    QString footer = QStringLiteral("Seite &s");

    static PageSettings read(const EditorSettings& settings);
    void write(EditorSettings& settings) const;

    // A header or footer text as it may be kept: at most kMaxLineLength characters.
    static QString limited(const QString& line);

    // The margins in device units of `dotsPerInch`.
    QMarginsF marginsIn(qreal dotsPerInchX, qreal dotsPerInchY) const;

    // The rectangle headers, footers and text are placed in: the page less the margins, but
    // horizontally only when left + right is smaller than the page width and vertically only
    // when top + bottom is smaller than its height; otherwise that way the whole page is used.
    static QRectF printRect(const QRectF& page, const QMarginsF& margins);

    bool operator==(const PageSettings&) const = default;
};

} // namespace quillet
