#include "quillet/ui/print_controller.h"

#include "quillet/messages.h"
#include "quillet/ui/page_setup_dialog.h"
#include "quillet/ui/print_job.h"
#include "quillet/ui/print_progress.h"
#include "quillet/ui/sheet.h"
#include "quillet/ui/sheet_editor.h"
#include "shared/platform/prompter.h"
#include "shared/platform/qt_clock.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressBar>
#include <QWidget>
#include <QWindow>

namespace quillet {

PrintController::PrintController(Prompter& prompter, PrintDialogs* dialogs, const Clock* clock, PrintSetup setup,
                                 Hooks hooks, QWidget* window)
    : QObject(window),
      m_ownDialogs(dialogs ? nullptr : std::make_unique<QtPrintDialogs>()),
      m_ownClock(clock ? nullptr : std::make_unique<QtClock>()),
      m_prompter(prompter),
      m_dialogs(dialogs ? *dialogs : *m_ownDialogs),
      m_clock(clock ? *clock : *m_ownClock),
      m_setup(std::move(setup)),
      m_hooks(std::move(hooks)),
      m_window(window)
{
}

PrintController::~PrintController() = default;

QString PrintController::documentName(const Sheet& sheet)
{
    return sheet.isUnnamed() ? sheet.label : QFileInfo(sheet.path()).fileName();
}

QString PrintController::headerName(const Sheet& sheet)
{
    return sheet.isUnnamed() ? sheet.label : QDir::toNativeSeparators(sheet.path());
}

void PrintController::error(const QString& text)
{
    m_prompter.message(QStringLiteral("Quillet"), text, BoxButtons::Ok, BoxIcon::Critical);
}

void PrintController::pageSetup()
{
    Sheet* sheet = m_hooks.currentSheet();
    if (!sheet || m_hooks.isBusy())
        return;
    PageSetupDialog dialog(m_setup, m_hooks.font(), {sheet->document->text(), headerName(*sheet)}, m_dialogs,
                           m_clock, m_window);
    if (dialog.exec() == QDialog::Accepted)
        m_setup = dialog.setup();
}

void PrintController::printWithDialog()
{
    Sheet* sheet = m_hooks.currentSheet();
    if (!sheet || m_hooks.isBusy())
        return;
    QPrinter printer(QPrinter::HighResolution);
    m_setup.applyTo(printer);
    if (!printer.isValid()) {
        error(Messages::text(Messages::PrintDialogFailed));
        return;
    }
    const std::optional<PrintChoice> choice = m_dialogs.askPrint(printer, sheet->editor->hasSelection(), m_window);
    if (!choice)
        return;
    print(printer, *choice);
}

void PrintController::printAtOnce()
{
    Sheet* sheet = m_hooks.currentSheet();
    if (!sheet || m_hooks.isBusy())
        return;
    // Without a chosen printer the default one; with no printer at all there is nothing to
    // print on.
    if (!m_setup.printerChosen && !PrintSetup::anyPrinter()) {
        error(Messages::text(Messages::PrinterUnreachable));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!m_setup.applyTo(printer) || !printer.isValid()) {
        error(Messages::text(Messages::PrinterUnreachable));
        return;
    }
    print(printer, PrintChoice{});
}

bool PrintController::print(QPrinter& printer, const PrintChoice& choice)
{
    Sheet* sheet = m_hooks.currentSheet();
    if (!sheet || m_hooks.isBusy())
        return false;
    const QString name = documentName(*sheet);
    PrintJob::Source source{sheet->document->text(), 0, sheet->document->length(), headerName(*sheet)};
    if (choice.selectionOnly && sheet->editor->hasSelection()) {
        source.begin = sheet->editor->selectionStart();
        source.end = sheet->editor->selectionEnd();
    }
    printer.setDocName(name);
    PrintJob job(printer, std::move(source), choice, m_hooks.font(), m_setup.page, m_clock);
    if (!job.begin()) {
        error(Messages::text(Messages::PrintFailed, name));
        return false;
    }

    // The progress window is a window of its own: the busy main window takes no input, the
    // progress window's button still does.
    PrintProgress progress(name);
    m_progress = &progress;
    connect(&progress, &PrintProgress::cancelRequested, &job, &PrintJob::cancel);
    connect(&job, &PrintJob::sheetPrinted, this, &PrintController::sheetPrinted);
    if (m_window) {
        // Kept above the main window by the window system, without being its child.
        progress.winId();
        if (m_window->window()->windowHandle())
            progress.windowHandle()->setTransientParent(m_window->window()->windowHandle());
        progress.adjustSize();
        progress.move(m_window->geometry().center() - progress.rect().center());
    }
    progress.show();
    m_hooks.setBusy(true);
    QProgressBar* bar = m_hooks.progress;
    if (bar) {
        bar->setRange(0, 1000);
        bar->setValue(0);
        bar->setVisible(true);
        connect(&job, &PrintJob::progressed, bar, &QProgressBar::setValue);
    }
    emit jobStarted();
    const PrintJob::Result result = job.run();
    if (bar)
        bar->setVisible(false);
    m_hooks.setBusy(false);
    m_progress = nullptr;
    progress.hide();
    // A printer that fails during the job is reported like one that cannot start.
    if (result == PrintJob::Result::Failed)
        error(Messages::text(Messages::PrintFailed, name));
    return result == PrintJob::Result::Completed;
}

} // namespace quillet
