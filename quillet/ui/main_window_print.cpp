// Page setup and printing of the main window: the commands, the toolbar's print button and
// the print controller they work through.
#include "quillet/ui/main_window.h"

#include "quillet/page_settings.h"
#include "quillet/ui/print_controller.h"
#include "quillet/ui/status_panel.h"

#include <QAction>
#include <QStyle>
#include <QToolBar>

namespace quillet {

void MainWindow::connectPrintActions()
{
    PrintController::Hooks hooks;
    hooks.currentSheet = [this]() -> Sheet* { return m_sheets.empty() ? nullptr : &currentSheet(); };
    hooks.font = [this] { return m_font; };
    hooks.isBusy = [this] { return m_busy; };
    hooks.setBusy = [this](bool on) { setBusy(on); };
    hooks.progress = m_status->progress();
    m_print = new PrintController(m_prompter, m_config.printDialogs, m_config.clock,
                                  PrintSetup::initial(PageSettings::read(m_settings)), std::move(hooks), this);

    m_actions.setHandler(cmd::PageSetup, this, [this] { m_print->pageSetup(); });
    m_actions.setHandler(cmd::Print, this, [this] { m_print->printWithDialog(); });

    // The toolbar's button prints at once, without the dialog.
    auto* printNow = new QAction(style()->standardIcon(QStyle::SP_DialogYesButton), QStringLiteral("Drucken"), this);
    printNow->setObjectName(QStringLiteral("actDruckenSofort"));
    printNow->setToolTip(QStringLiteral("Drucken"));
    printNow->setStatusTip(QStringLiteral("Druckt das aktuelle Dokument sofort auf dem eingestellten Drucker."));
    connect(printNow, &QAction::triggered, this, [this] { m_print->printAtOnce(); });
    m_toolbar->insertAction(m_actions.action(cmd::Cut), printNow);
}

} // namespace quillet
