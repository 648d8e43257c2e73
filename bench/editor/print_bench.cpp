// Figures of printing a large document to a PDF file on the real window (offscreen):
//   quillet_print_bench [megabytes]      default 50
// Prints the time, the pages, pages per second and the window's longest pause.
#include "bench_support.h"

#include "quillet/editor_settings.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/print_controller.h"
#include "quillet/ui/sheet.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;

    BenchWindow bench;
    quillet::MainWindow& window = bench.window;
    window.show();

    // Lines of 49 characters and a line break: 50 bytes each.
    const qsizetype lines = qsizetype(megabytes) * 1000 * 1000 / 50;
    QString text;
    text.reserve(lines * 50);
    for (qsizetype i = 0; i < lines; ++i) {
        const QString number = QString::number(i + 1);
        text += QStringLiteral("Zeile ") + number + QString(43 - number.size(), u'.') + u'\n';
    }
    window.currentSheet().document->setText(std::move(text));

    QPrinter printer(QPrinter::HighResolution);
    window.printing().setup().applyTo(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(bench.dir.filePath(QStringLiteral("druck.pdf")));

    int sheets = 0;
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    stalls.reset();
    QObject::connect(&window.printing(), &quillet::PrintController::sheetPrinted, [&sheets](int n) { sheets = n; });
    const bool done = window.printing().print(printer, quillet::PrintChoice{});
    const qint64 ms = clock.elapsed();
    std::printf("%d MB, %lld lines printed to PDF: %s in %.2f s, %d pages, %.0f pages/s, "
                "longest window pause %lld ms, file %.1f MB\n",
                megabytes, static_cast<long long>(lines), done ? "completed" : "NOT completed", ms / 1000.0, sheets,
                sheets / std::max(0.001, ms / 1000.0), static_cast<long long>(stalls.worst),
                QFileInfo(printer.outputFileName()).size() / 1e6);
    return done ? 0 : 1;
}
