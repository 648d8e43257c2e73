#include "terminal/options/ui/modem_options_page.h"

#include "shared/platform/prompter.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace tarvex {

using WidgetHelpers::named;

namespace {

// The line types and the dial prefix each one sets; the dashes only separate the groups.
const std::pair<const char*, const char*> kLineTypes[] = {
    {"Hauptanschluss + MFV", "ATX1DT"},
    {"Hauptanschluss + IVW", "ATX1DP"},
    {"-----", nullptr},
    {"Nebenstelle + MFV", "ATX3DT0W"},
    {"Nebenstelle + IWV", "ATX3DP0W"},
};

} // namespace

ModemOptionsPage::ModemOptionsPage(TerminalContext& context, QWidget* parent)
    : OptionPage(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frm15"));
    auto* outer = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Modembefehle"), this);
    auto* form = new QFormLayout(box);
    m_init = named(new QLineEdit(box), "frm15_edInit");
    m_dial = named(new QLineEdit(box), "frm15_edWahl");
    m_hangUp = named(new QLineEdit(box), "frm15_edTrennen");
    m_answer = named(new QLineEdit(box), "frm15_edRuf");
    form->addRow(QStringLiteral("Initialisierung:"), m_init);
    auto* dialRow = new QHBoxLayout;
    dialRow->addWidget(m_dial, 1);
    auto* lineType = named(new QPushButton(QStringLiteral("Anschluss..."), box), "frm15_cmdAuswahl");
    lineType->setToolTip(QStringLiteral("Wählvorsatz nach der Anschlussart eintragen"));
    auto* menu = new QMenu(lineType);
    for (const auto& [entry, prefix] : kLineTypes) {
        QAction* action = menu->addAction(QString::fromUtf8(entry));
        if (prefix) {
            const QString text = QString::fromUtf8(prefix);
            connect(action, &QAction::triggered, this, [this, text] { m_dial->setText(text); });
        }
    }
    lineType->setMenu(menu);
    dialRow->addWidget(lineType);
    form->addRow(QStringLiteral("Anwahl:"), dialRow);
    form->addRow(QStringLiteral("Trennen:"), m_hangUp);
    form->addRow(QStringLiteral("Annehmen:"), m_answer);
    m_acceptCalls = named(new QCheckBox(QStringLiteral("Ankommende Anrufe automatisch annehmen"), box), "frm15_chkAnruf");
    form->addRow(m_acceptCalls);
    auto* standard = named(new QPushButton(QStringLiteral("Standard"), box), "frm15_cmdStandard");
    standard->setToolTip(QStringLiteral("Standardbefehle für die Modemsteuerung eintragen"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(standard);
    buttons->addStretch(1);
    form->addRow(buttons);
    outer->addWidget(box);
    outer->addStretch(1);

    connect(standard, &QPushButton::clicked, this, &ModemOptionsPage::frm15_cmdStandard_Click);
}

void ModemOptionsPage::load(const KundeSettings& s)
{
    m_init->setText(s.modemInitial);
    m_dial->setText(s.modemAnwahl);
    m_hangUp->setText(s.modemTrennen);
    m_answer->setText(s.modemAnnehmen);
    m_acceptCalls->setChecked(s.anruf);
}

void ModemOptionsPage::apply(KundeSettings& s) const
{
    s.modemInitial = m_init->text();
    s.modemAnwahl = m_dial->text();
    s.modemTrennen = m_hangUp->text();
    s.modemAnnehmen = m_answer->text();
    s.anruf = m_acceptCalls->isChecked();
}

void ModemOptionsPage::frm15_cmdStandard_Click()
{
    m_init->setText(QStringLiteral("ATZ&F"));
    m_dial->setText(QStringLiteral("ATX3DT0W"));
    m_hangUp->setText(QStringLiteral("+++ATH"));
    m_answer->setText(QStringLiteral("ATA"));
    m_ctx.prompter.information(QStringLiteral("Standardbefehle für Modemsteuerung eingetragen."));
}

} // namespace tarvex
