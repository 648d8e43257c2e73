// The text conversions of "Umwandeln" and the line tools of "Zeilen": what each command
// does to the current sheet.
#include "quillet/ui/main_window.h"

#include "quillet/char_conversions.h"
#include "quillet/editor_settings.h"
#include "quillet/messages.h"
#include "quillet/ui/conversion_dialogs.h"
#include "quillet/ui/line_tool_dialogs.h"
#include "quillet/ui/sheet_editor.h"
#include "quillet/ui/status_panel.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressBar>
#include <QPromise>
#include <QThread>
#include <QtConcurrent>
#include <new>

namespace quillet {
namespace {

// Texts longer than this are converted on a worker thread.
constexpr qsizetype kLargeText = 1000000;

// What an operation works on: the selection (or the whole text) for a conversion of
// characters, the lines of the range for a line tool.
struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
};

Span spanOf(const SheetEditor& editor, bool wholeLines)
{
    if (wholeLines) {
        const LineRange range = LineRange::of(editor.document().buffer(), editor.selectionStart(), editor.selectionEnd());
        return {range.start, range.end};
    }
    if (editor.hasSelection())
        return {editor.selectionStart(), editor.selectionEnd()};
    return {0, editor.textLength()};
}

// A conversion of characters: no progress to tell.
template <typename Convert>
TextOperation characters(Convert convert)
{
    return [convert](QStringView text, const LineTools::Progress&) { return convert(text); };
}

} // namespace

void MainWindow::connectConvertActions()
{
    const auto on = [this](int id, std::function<void()> handler) { m_actions.setHandler(id, this, std::move(handler)); };
    on(cmd::AnsiToOem, [this] { convertText(false, characters(&CharConversions::ansiToOem)); });
    on(cmd::OemToAnsi, [this] { convertText(false, characters(&CharConversions::oemToAnsi)); });
    on(cmd::ToLower, [this] { convertText(false, characters(&CharConversions::toLower)); });
    on(cmd::ToUpper, [this] { convertText(false, characters(&CharConversions::toUpper)); });
    on(cmd::Invert, [this] { convertText(false, characters(&CharConversions::invert)); });
    on(cmd::Mirror, [this] { convertText(false, characters(&CharConversions::mirror)); });
    on(cmd::UserConversion, [this] { userConversion(); });
    on(cmd::Justify, [this] { alignLines(true); });
    on(cmd::PadBlanks, [this] { alignLines(false); });
    on(cmd::TabsToBlanks, [this] { replaceTabs(true); });
    on(cmd::BlanksToTabs, [this] { replaceTabs(false); });
    const auto trim = [this](LineTools::Trim how) {
        convertText(true, [how](QStringView text, const LineTools::Progress& progress) {
            return LineTools::trim(text, how, progress);
        });
    };
    on(cmd::TrimLeft, [trim] { trim(LineTools::Trim::Left); });
    on(cmd::TrimRight, [trim] { trim(LineTools::Trim::Right); });
    on(cmd::TrimBoth, [trim] { trim(LineTools::Trim::Both); });
    on(cmd::TrimMultiple, [trim] { trim(LineTools::Trim::Multiple); });
    on(cmd::SortLines, [this] {
        const QLocale locale;
        convertText(true, [locale](QStringView text, const LineTools::Progress& progress) {
            return LineTools::sort(text, locale, progress);
        });
    });
}

void MainWindow::convertText(bool wholeLines, const TextOperation& operation)
{
    if (m_busy)
        return;
    SheetEditor& editor = *currentSheet().editor;
    if (editor.isReadOnly())
        return;
    const Span span = spanOf(editor, wholeLines);
    const QString source = editor.text().sliced(span.start, span.end - span.start);
    const std::optional<QString> result = runTextOperation(source, operation);
    if (!result) {
        message(Messages::outOfMemory(), BoxIcon::Exclamation);
        return;
    }
    if (*result != source) {
        if (editor.textLength() - source.size() + result->size() > editor.textLimit()) {
            QApplication::beep();
            return;
        }
        // One edit of the range: one undo step. It asks first when it is too large to be
        // undone; the text stays as it is when the answer is No.
        const quint64 revision = editor.document().buffer().revision();
        editor.setSelection(span.start, span.end);
        editor.insertPlainText(*result);
        if (editor.document().buffer().revision() == revision)
            return;
    }
    editor.setSelection(span.start, span.start + result->size());
    updateStatus();
}

std::optional<QString> MainWindow::runTextOperation(const QString& source, const TextOperation& operation)
{
    if (source.size() <= kLargeText) {
        try {
            return operation(source, {});
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
    }
    // A large text is converted on a worker of lowered priority; the window keeps drawing,
    // holds its input back and shows the progress meanwhile.
    setBusy(true);
    QProgressBar* bar = m_status->progress();
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setVisible(true);
    QFutureWatcher<QString> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcher<QString>::progressValueChanged, bar, &QProgressBar::setValue);
    connect(&watcher, &QFutureWatcher<QString>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([source, operation](QPromise<QString>& promise) {
        QThread::currentThread()->setPriority(QThread::LowPriority);
        promise.setProgressRange(0, 100);
        try {
            promise.addResult(operation(source, [&promise](int percent) { promise.setProgressValue(percent); }));
        } catch (const std::bad_alloc&) {
            // No result: the text stays unchanged.
        }
    }));
    loop.exec();  // "finished" arrives as an event, also when the worker was quick
    bar->setVisible(false);
    setBusy(false);
    if (watcher.future().resultCount() == 0)
        return std::nullopt;
    return watcher.result();
}

void MainWindow::userConversion()
{
    if (m_busy)
        return;
    const QList<UserConversion> conversions = UserConversions::read(m_settings.ownSettings());
    ConversionChooseDialog dialog(conversions, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0)
        return;
    const QByteArray table = conversions[dialog.chosen()].data;
    convertText(false, characters([table](QStringView text) { return CharConversions::withTable(text, table); }));
}

void MainWindow::alignLines(bool justify)
{
    if (m_busy)
        return;
    const SheetEditor& editor = *currentSheet().editor;
    const Span span = spanOf(editor, true);
    const qsizetype longest = LineTools::longestLine(QStringView(editor.text()).sliced(span.start, span.end - span.start));
    LineWidthDialog dialog(justify ? QStringLiteral("Blocksatz") : QStringLiteral("Zeilenlänge angleichen"),
                           static_cast<int>(std::min<qsizetype>(longest, INT_MAX)), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int width = dialog.width();
    convertText(true, [width, justify](QStringView text, const LineTools::Progress& progress) {
        return justify ? LineTools::justify(text, width, progress) : LineTools::pad(text, width, progress);
    });
}

void MainWindow::replaceTabs(bool tabsToBlanks)
{
    if (m_busy)
        return;
    TabReplaceDialog dialog(tabsToBlanks ? TabReplaceDialog::Kind::TabsToBlanks : TabReplaceDialog::Kind::BlanksToTabs, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int count = dialog.count();
    const bool leading = dialog.leadingOnly();
    convertText(true, [=](QStringView text, const LineTools::Progress& progress) {
        return tabsToBlanks ? LineTools::tabsToBlanks(text, count, leading, progress)
                            : LineTools::blanksToTabs(text, count, leading, progress);
    });
}

} // namespace quillet
