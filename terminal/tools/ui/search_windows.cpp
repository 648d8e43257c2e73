#include "terminal/tools/ui/search_windows.h"

#include "terminal/core/error_report.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/tools/ui/search_window.h"


namespace tarvex {

SearchWindows::SearchWindows(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QObject(parent), m_ctx(context), m_display(display), m_parent(parent)
{
    const QPointer<SearchWindows> self(this);
    m_ctx.functions.add(Fn::Suchen, FunctionEntry{[self] {
                                                      if (self)
                                                          self->SuchenDaten();
                                                  },
                                                  QStringLiteral("Suchen"), QStringLiteral("Daten suchen"), {}, {}, {}});
}

SearchWindows::~SearchWindows()
{
    delete m_window;
}

SearchWindow* SearchWindows::window() const
{
    return m_window;
}

void SearchWindows::SuchenDaten()
{
    guarded(m_ctx.errors, "SuchenDaten", 0, QString(), [&] {
        if (!m_window)
            m_window = new SearchWindow(m_ctx, m_display, m_parent);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
        m_window->focusFirstTerm();
    });
}

} // namespace tarvex
