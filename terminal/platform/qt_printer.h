#pragma once

#include "terminal/platform/printer.h"

#include <QFont>

#include <memory>
#include <optional>
#include <tuple>

class QFontMetricsF;
class QPrinter;

namespace tarvex {

// Prints with QPrinter on the system's default printer, or into a PDF file (the preview
// and the tests use that). Header, footer and every line are placed by the caller.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    explicit QtPrinter(const QString& pdfFile);
    ~QtPrinter() override;

    PrinterMetrics metrics(const PrintFont& font) override;
    int textWidth(const QString& text, const PrintFont& font, bool bold = false) override;
    void print(const PrintJob& job) override;

private:
    QPrinter& device();
    QFont fontOf(const PrintFont& font, bool bold = false);
    const QFontMetricsF& measure(const PrintFont& font, bool bold = false);

    QString m_pdfFile;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QFontMetricsF> m_metrics;
    std::optional<std::tuple<QString, int, bool>> m_metricsFont;
};

} // namespace tarvex
