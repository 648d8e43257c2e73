#include "terminal/options/ui/options_window.h"

#include "shared/platform/prompter.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/capture_check.h"
#include "terminal/core/filter_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/options/ui/capture_options_page.h"
#include "terminal/options/ui/display_options_page.h"
#include "terminal/options/ui/filter_options_page.h"
#include "terminal/options/ui/general_options_page.h"
#include "terminal/options/ui/mail_options_page.h"
#include "terminal/options/ui/modem_options_page.h"
#include "terminal/options/ui/password_options_page.h"
#include "terminal/options/ui/session_options_page.h"
#include "terminal/core/help_keywords.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

OptionsWindow::OptionsWindow(TerminalContext& context, int page, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_copy(context.state.settings)
{
    setObjectName(QStringLiteral("frm4"));
    setWindowTitle(QStringLiteral("Optionen"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    m_tabs = named(new QTabWidget(this), "frm4_tabOptionen");
    // Every tab caption stays visible: the window is at least as wide as the tab row.
    m_tabs->setUsesScrollButtons(false);
    outer->addWidget(m_tabs);

    auto* password = new PasswordOptionsPage(context, m_tabs);
    const std::pair<OptionPage*, const char*> pages[] = {
        {new GeneralOptionsPage(context, m_tabs), "Allgemein"},
        {password, "Passwort"},
        {new CaptureOptionsPage(context, m_tabs), "Verbindung"},
        {new DisplayOptionsPage(m_tabs), "Anzeige"},
        {new FilterOptionsPage(context, m_tabs), "Filter"},
        {new ModemOptionsPage(context, m_tabs), "Modem"},
        {new SessionOptionsPage(m_tabs), "Session"},
        {new MailOptionsPage(m_tabs), "E-Mail"},
    };
    for (const auto& [p, caption] : pages) {
        p->load(m_copy);
        m_tabs->addTab(p, QString::fromUtf8(caption));
        m_pages.append(p);
    }
    m_tabs->setCurrentIndex(qBound(1, page, kPages) - 1);
    connect(password, &PasswordOptionsPage::passwordCommitted, this, &OptionsWindow::commitPassword);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm4"), [this] { m_ctx.help.open(HelpKeyword::Optionen); }));
    buttons->addStretch(1);
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "frm4_cmdOK");
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm4_cmdAbbrechen");
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &OptionsWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &OptionsWindow::reject);
}

void OptionsWindow::Optionen(TerminalContext& context, int page, QWidget* parent)
{
    OptionsWindow window(context, page, parent);
    window.exec();
}

void OptionsWindow::accept()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        const std::optional<OptionPage::Problem> problem = m_pages[i]->check();
        if (!problem)
            continue;
        m_tabs->setCurrentIndex(i);
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"), problem->text, BoxButtons::Ok, BoxIcon::Exclamation);
        if (problem->field) {
            problem->field->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(problem->field))
                edit->selectAll();
        }
        return;
    }
    // The pages write what they show into the program's settings as they are now.
    KundeSettings& live = m_ctx.state.settings;
    KundeSettings next = live;
    for (const OptionPage* p : std::as_const(m_pages))
        p->apply(next);
    live = next;
    m_ctx.state.filter = FilterTable::fromSetting(live.filterZ);
    m_ctx.state.debugMode = live.debug;
    // Checked before the window is told, so the capture panel shows what holds.
    checkCaptureDirectory(live, m_ctx.prompter);
    writeSettings();
    m_ctx.view.settingsChanged();
    QDialog::accept();
}

void OptionsWindow::commitPassword(const QString& password, bool passStart)
{
    for (KundeSettings* s : {&m_copy, &m_ctx.state.settings}) {
        s->passwort = password;
        s->passStart = passStart;
    }
    writeSettings();
    // The log-in item is grey exactly while no password is defined.
    m_ctx.functions.refreshStates();
}

void OptionsWindow::writeSettings()
{
    m_ctx.settingsFile.IniDateien(2);
}

} // namespace tarvex
