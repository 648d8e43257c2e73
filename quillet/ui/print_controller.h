#pragma once

#include "quillet/ui/print_dialogs.h"
#include "quillet/ui/print_progress.h"
#include "quillet/ui/print_setup.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class Clock;
class Prompter;
class QProgressBar;
class QWidget;

namespace quillet {

struct Sheet;

// Page setup and printing of the current sheet: owns the window's print setup, opens the
// page setup and the print dialog, and runs a print job with its progress window while the
// main window is busy.
class PrintController : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<Sheet*()> currentSheet;
        std::function<QFont()> font;
        std::function<bool()> isBusy;
        std::function<void(bool)> setBusy;
        QProgressBar* progress = nullptr;
    };

    // Without `dialogs` Qt's print dialogs are used, without `clock` the system's time.
    PrintController(Prompter& prompter, PrintDialogs* dialogs, const Clock* clock, PrintSetup setup, Hooks hooks,
                    QWidget* window);
    ~PrintController() override;

    PrintSetup& setup() { return m_setup; }
    const PrintSetup& setup() const { return m_setup; }

    // "Seite einrichten": OK takes over paper, printer, margins, header and footer.
    void pageSetup();
    // "Drucken...": the print dialog, then the printout as chosen there.
    void printWithDialog();
    // The toolbar's button: at once, on the chosen printer or the default one.
    void printAtOnce();
    // Prints the current sheet on the prepared printer. False when the job could not
    // start (reported) or was cancelled.
    bool print(QPrinter& printer, const PrintChoice& choice);

    // The progress window while a job runs.
    PrintProgress* progressWindow() const { return m_progress; }

    // The name of the printout: the file name of the sheet's path, or its tab label.
    static QString documentName(const Sheet& sheet);
    // What "&n" prints: the full path, or the tab label.
    static QString headerName(const Sheet& sheet);

signals:
    void jobStarted();
    // A sheet of paper went out: the count of this job so far (copies included).
    void sheetPrinted(int sheets);

private:
    void error(const QString& text);

    std::unique_ptr<PrintDialogs> m_ownDialogs;
    std::unique_ptr<Clock> m_ownClock;
    Prompter& m_prompter;
    PrintDialogs& m_dialogs;
    const Clock& m_clock;
    PrintSetup m_setup;
    Hooks m_hooks;
    QWidget* m_window;
    QPointer<PrintProgress> m_progress;
};

} // namespace quillet
