#include "terminal/options/ui/options_windows.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/options/ui/options_window.h"

#include <QPointer>

namespace tarvex {

OptionsWindows::OptionsWindows(TerminalContext& context, QWidget* window)
{
    // The function table outlives the window; without it the options have no parent.
    const QPointer<QWidget> parent(window);
    // 805 keeps the toolbar's caption; the others name their page.
    static const char* const pages[][2] = {
        {"", ""},
        {"Passwort", "Optionen: Zugangspasswort"},
        {"Verbindung", "Optionen: Capturedatei und Zeitstempel"},
        {"Anzeige", "Optionen: Schrift, Farben und Zeilen der Anzeige"},
        {"Filter", "Optionen: Filterzeichen und Umwandlungen"},
        {"Modem", "Optionen: Modembefehle"},
        {"Session", "Optionen: Session-Bildschirm"},
    };
    for (int page = 1; page <= 7; ++page) {
        FunctionEntry entry;
        entry.action = [&context, parent, page] { OptionsWindow::Optionen(context, page, parent); };
        entry.caption = QString::fromUtf8(pages[page - 1][0]);
        entry.toolTip = QString::fromUtf8(pages[page - 1][1]);
        context.functions.add(Fn::Optionen + page - 1, std::move(entry));
    }
}

} // namespace tarvex
