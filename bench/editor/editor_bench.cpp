// Figures of the editor with large files, measured on the real window (offscreen):
//   quillet_editor_bench            all figures
//   quillet_editor_bench --long-line[-wrapped] N   only: one line of N characters
#include "quillet/editor_settings.h"
#include "quillet/prompter.h"
#include "quillet/text_search.h"
#include "quillet/ui/find_controller.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/sheet_editor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QScrollBar>
#include <QFileInfo>
#include <cstdio>

namespace {

// A prompter that answers every box with its default; the bench opens no dialog.
class SilentPrompter : public quillet::Prompter {
public:
    Answer message(const QString&, const QString& text, Buttons, Icon, Answer defaultButton) override
    {
        std::printf("  (box: %s)\n", qPrintable(text.left(80)));
        return defaultButton;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> folder(const QString&, const QString&) override { return std::nullopt; }
};

// Longest pause of the event loop while `done` is false: how long the window would not react.
struct StallMeter {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    StallMeter()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            worst = std::max(worst, now - last);
            last = now;
        });
        clock.start();
        timer.start();
    }
};

int longLine(qsizetype length, bool wrap)
{
    quillet::SheetEditor editor;
    editor.setWordWrap(wrap);
    editor.resize(800, 600);
    editor.show();
    QElapsedTimer t;
    t.start();
    editor.setPlainText(QString(length, u'a'));
    QApplication::processEvents();
    const qint64 shown = t.elapsed();
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(static_cast<int>(length / 2));
    editor.setTextCursor(cursor);
    QApplication::processEvents();
    t.restart();
    QTest::keyClick(&editor, Qt::Key_B);
    QApplication::processEvents();
    std::printf("%lld ms to show, %lld ms per typed character\n", static_cast<long long>(shown),
                static_cast<long long>(t.elapsed()));
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

    QTemporaryDir dir;
    QSettings own(dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat);
    QSettings shared(dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat);
    quillet::EditorSettings settings(own, shared);
    SilentPrompter prompter;
    quillet::MainWindow::Config config;
    config.instanceFilePath = dir.filePath(QStringLiteral("quillet.tmp"));
    config.tempFolder = dir.path();
    config.ownKey = QStringLiteral("1");
    quillet::MainWindow window(prompter, settings, config);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();

    // 1,000,000 lines of 50 bytes (48 characters and CR LF): 50 MB.
    const QString path = dir.filePath(QStringLiteral("gross.txt"));
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
    const qint64 stallBefore = stall.worst;
    stall.worst = 0;
    while (sheet.isLoading())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const qint64 complete = t.elapsed();
    std::printf("  first page shown:          %6lld ms\n", static_cast<long long>(firstPage));
    std::printf("  whole text loaded:         %6lld ms\n", static_cast<long long>(complete));
    std::printf("  longest stall while loading: %4lld ms (before the first page: %lld ms)\n",
                static_cast<long long>(stall.worst), static_cast<long long>(stallBefore));
    std::printf("  lines in the editor: %d\n", sheet.editor->document()->blockCount());

    t.restart();
    QTextCursor cursor(sheet.editor->document()->findBlockByNumber(899999));
    sheet.editor->setTextCursor(cursor);
    sheet.editor->ensureCursorVisible();
    QApplication::processEvents();
    std::printf("  go to line 900000:         %6lld ms\n", static_cast<long long>(t.elapsed()));
    t.restart();
    QTest::keyClicks(sheet.editor, QStringLiteral("abc"));
    QApplication::processEvents();
    std::printf("  typing 3 characters there: %6lld ms\n", static_cast<long long>(t.elapsed()));
    t.restart();
    sheet.editor->verticalScrollBar()->setValue(sheet.editor->verticalScrollBar()->maximum() / 3);
    QApplication::processEvents();
    std::printf("  scrolling a third down:    %6lld ms\n", static_cast<long long>(t.elapsed()));
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
    stall.worst = 0;
    t.restart();
    find.replaceAllInBackground(sheet.editor);
    done.wait(600000);
    std::printf("  in the window (worker + new text into the editor): %lld ms, longest stall %lld ms\n",
                static_cast<long long>(t.elapsed()), static_cast<long long>(stall.worst));

    {
        const QString linePath = dir.filePath(QStringLiteral("eine-zeile.txt"));
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
        std::printf("Long lines (QPlainTextEdit, %s)\n", wrap ? "word wrap" : "no word wrap");
        for (qsizetype length : {100000, 1000000, 5000000})
            measureLongLine(length, wrap);
    }
    return 0;
}
