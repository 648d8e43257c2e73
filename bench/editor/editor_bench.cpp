// Figures of the editor with large files, measured on the real window (offscreen):
//   quillet_editor_bench            all figures
//   quillet_editor_bench --long-line[-wrapped] N   only: one line of N characters
#include "quillet/editor_settings.h"
#include "quillet/text_search.h"
#include "quillet/ui/find_controller.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/sheet_editor.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "bench_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QScrollBar>
#include <QFileInfo>
#include <cstdio>

namespace {

int longLine(qsizetype length, bool wrap)
{
    quillet::SheetEditor editor;
    editor.setWordWrap(wrap);
    editor.resize(800, 600);
    editor.show();
    QElapsedTimer t;
    t.start();
    editor.setPlainText(QString(length, u'a'));
    editor.viewport()->repaint();
    const qint64 shown = t.elapsed();
    t.restart();
    editor.setCaretPosition(length / 2);
    editor.viewport()->repaint();
    const qint64 moved = t.elapsed();
    t.restart();
    const int keys = 20;
    for (int i = 0; i < keys; ++i) {
        QTest::keyClick(&editor, Qt::Key_B);
        editor.viewport()->repaint();
    }
    std::printf("%lld ms to show, %lld ms to the middle, %.1f ms per typed character (painted)\n",
                static_cast<long long>(shown), static_cast<long long>(moved), double(t.elapsed()) / keys);
    return 0;
}

void measureLongLine(qsizetype length, bool wrap)
{
    QProcess child;
    child.start(QApplication::applicationFilePath(),
                {wrap ? QStringLiteral("--long-line-wrapped") : QStringLiteral("--long-line"), QString::number(length)});
    child.waitForStarted();
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        std::printf("  one line of %9lld characters: not shown within 60 s (stopped)\n", static_cast<long long>(length));
        return;
    }
    std::printf("  one line of %9lld characters: %s\n", static_cast<long long>(length),
                child.readAllStandardOutput().trimmed().constData());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]).startsWith("--long-line"))
        return longLine(QByteArray(argv[2]).toLongLong(), QByteArray(argv[1]) == "--long-line-wrapped");

    BenchWindow bench;
    quillet::MainWindow& window = bench.window;
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();

    // 1,000,000 lines of 50 bytes (48 characters and CR LF): 50 MB.
    const QString path = bench.dir.filePath(QStringLiteral("gross.txt"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        QByteArray line(48, 'x');
        for (int i = 0; i < 1000000; ++i) {
            QByteArray number = QByteArray::number(i).rightJustified(7, '0');
            f.write("Zeile " + number + " " + line.left(34) + "\r\n");
        }
    }
    std::printf("50 MB file, 1,000,000 lines (%lld bytes)\n", static_cast<long long>(QFileInfo(path).size()));

    StallMeter stall;
    QElapsedTimer t;
    t.start();
    window.openFile(path);
    QApplication::processEvents();
    const qint64 firstPage = t.elapsed();
    quillet::Sheet& sheet = window.currentSheet();
    std::printf("  opened, first page shown, editable: %6lld ms (longest stall %lld ms)\n",
                static_cast<long long>(firstPage), static_cast<long long>(stall.worst));
    std::printf("  lines in the editor: %lld\n", static_cast<long long>(sheet.editor->lineCount()));

    t.restart();
    sheet.editor->setCaretPosition(sheet.editor->document().buffer().lineStart(899999));
    sheet.editor->viewport()->repaint();
    std::printf("  go to line 900000:         %6lld ms\n", static_cast<long long>(t.elapsed()));
    t.restart();
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(sheet.editor, Qt::Key_A);
        sheet.editor->viewport()->repaint();
    }
    std::printf("  typing there (painted):    %6.1f ms per character\n", double(t.elapsed()) / 20);
    t.restart();
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(sheet.editor, Qt::Key_Return);
        sheet.editor->viewport()->repaint();
    }
    std::printf("  new lines there (painted): %6.1f ms per Enter\n", double(t.elapsed()) / 20);
    t.restart();
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(sheet.editor, Qt::Key_PageDown);
        sheet.editor->viewport()->repaint();
    }
    std::printf("  page down (painted):       %6.1f ms per page\n", double(t.elapsed()) / 20);
    t.restart();
    sheet.editor->verticalScrollBar()->setValue(sheet.editor->verticalScrollBar()->maximum() / 3);
    sheet.editor->viewport()->repaint();
    std::printf("  scrolling a third down:    %6lld ms\n", static_cast<long long>(t.elapsed()));
    while (sheet.editor->isUndoAvailable())
        sheet.editor->undo();

    // Replace all: "Zeile" occurs once per line.
    const QString text = sheet.editor->rawText();
    t.restart();
    const auto replaced = quillet::TextSearch::replaceAll(text, QStringLiteral("Zeile"), QStringLiteral("Reihe"), 0,
                                                          {false, true});
    std::printf("Replace all, %lld occurrences\n", static_cast<long long>(replaced.count));
    std::printf("  computing the new text:    %6lld ms\n", static_cast<long long>(t.elapsed()));
    auto& find = window.find();
    find.engine().setSearchText(QStringLiteral("Zeile"));
    find.engine().setReplaceText(QStringLiteral("Reihe"));
    QSignalSpy done(&find, &quillet::FindController::backgroundReplaceFinished);
    stall.reset();
    t.restart();
    find.replaceAllInBackground(sheet.editor);
    done.wait(600000);
    sheet.editor->viewport()->repaint();
    std::printf("  in the window (worker + new text into the editor, painted): %lld ms, longest stall %lld ms\n",
                static_cast<long long>(t.elapsed()), static_cast<long long>(stall.worst));
    t.restart();
    sheet.editor->undo();
    sheet.editor->viewport()->repaint();
    std::printf("  undoing it:                %6lld ms\n", static_cast<long long>(t.elapsed()));

    {
        const QString linePath = bench.dir.filePath(QStringLiteral("eine-zeile.txt"));
        QFile f(linePath);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(5000000, 'a'));
        f.close();
        t.restart();
        window.openFile(linePath);
        QApplication::processEvents();
        std::printf("File with one line of 5,000,000 characters, opened in the window: %lld ms (word wrap %s)\n",
                    static_cast<long long>(t.elapsed()), window.currentSheet().editor->wordWrap() ? "on" : "off");
    }
    for (bool wrap : {false, true}) {
        std::printf("Long lines (%s)\n", wrap ? "word wrap" : "no word wrap");
        for (qsizetype length : {100000, 1000000, 5000000})
            measureLongLine(length, wrap);
    }
    return 0;
}
