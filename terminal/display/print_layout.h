#pragma once

#include "terminal/platform/printer.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <functional>

namespace tarvex {

// A column of a printed list: its header text and the header's alignment.
struct PrintColumn
{
    QString title;
    PrintAlign align = PrintAlign::Left;
};

// The pages of a printout. Every page may carry a header line (title, "  -  ", a further
// text) and a footer (title, "  -  Seite " with the page number, date, " um " and time),
// each with a separator line; the body is lines of text or a table. Header and footer
// take five line heights each, as the printer information counts them.
class PrintLayout
{
public:
    static const QString kDefaultOptions; // "111100000"

    // The nine-digit print option string: digit 1 header, 2 footer, 4 separator lines;
    // a digit is on when it is "1". Missing digits take the default's.
    struct Options
    {
        bool header = true;
        bool footer = true;
        bool separators = true;
        static Options parse(const QString& digits);
    };

    // Width of a text in the print font (or its bold face), in printer units.
    using Measure = std::function<int(const QString& text, bool bold)>;

    PrintLayout(const PrinterMetrics& metrics, Options options, Measure measure);

    void setTitle(const QString& title, const QString& furtherText);
    void setPrintedAt(const QDateTime& when) { m_printedAt = when; }

    QString headerText() const;
    QString footerText(int page) const;

    // Line height: the text height plus 5 units.
    int lineHeight() const { return m_lineHeight; }
    int leftMargin() const { return m_left; }
    int topMargin() const { return m_top; }
    // Paper width less twice the left margin.
    int printableWidth() const;
    // Body lines that fit on one page between header and footer.
    int bodyLines() const;

    QList<PrintPage> textPages(const QStringList& lines) const;
    QList<PrintPage> tablePages(const QList<PrintColumn>& columns, const QList<QStringList>& rows) const;

    // Column widths that together exceed the available width are all divided by the
    // same factor; narrower tables keep their widths.
    static QList<int> fitColumns(const QList<int>& widths, int available);

    // The message of the printer information (print mode 0).
    static QString informationText(const PrinterMetrics& metrics, Options options);

private:
    int bodyTop() const;
    int bodyBottom() const;
    PrintPage frame(int page) const;
    QStringList wrap(const QString& line) const;
    PrintText line(int x, int y, int width, const QString& text, PrintAlign align = PrintAlign::Left,
                   bool bold = false) const;

    PrinterMetrics m_metrics;
    Options m_options;
    Measure m_measure;
    QString m_title;
    QString m_furtherText;
    QDateTime m_printedAt;
    int m_lineHeight = 1;
    int m_left = 0;
    int m_top = 0;
};

} // namespace tarvex
