#include "terminal/options/ui/password_options_page.h"

#include "terminal/core/password_code.h"

#include "shared/platform/prompter.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

PasswordOptionsPage::PasswordOptionsPage(TerminalContext& context, QWidget* parent)
    : OptionPage(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frm6"));
    auto* outer = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Zugangspasswort"), this);
    auto* form = new QFormLayout(box);
    m_first = named(new QLineEdit(box), "frm6_edPasswort1");
    m_second = named(new QLineEdit(box), "frm6_edPasswort2");
    for (QLineEdit* e : {m_first, m_second}) {
        e->setEchoMode(QLineEdit::Password);
        e->setMaxLength(kMaxLength);
    }
    form->addRow(QStringLiteral("Neues Passwort:"), m_first);
    form->addRow(QStringLiteral("Passwort wiederholen:"), m_second);
    m_atStart = named(new QCheckBox(QStringLiteral("Passwort beim Programmstart abfragen"), box), "frm6_chkAbStart");
    form->addRow(m_atStart);
    auto* buttons = new QHBoxLayout;
    auto* enter = named(new QPushButton(QStringLiteral("Eintragen"), box), "frm6_cmdEintragen");
    auto* remove = named(new QPushButton(QStringLiteral("Löschen"), box), "frm6_cmdLöschen");
    enter->setToolTip(QStringLiteral("Passwort eintragen und sofort speichern"));
    remove->setToolTip(QStringLiteral("Passwort löschen und sofort speichern"));
    buttons->addWidget(enter);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    form->addRow(buttons);
    m_state = named(new QLabel(box), "frm6_lblStatus");
    form->addRow(m_state);
    outer->addWidget(box);
    outer->addStretch(1);

    connect(enter, &QPushButton::clicked, this, &PasswordOptionsPage::frm6_cmdEintragen_Click);
    connect(remove, &QPushButton::clicked, this, &PasswordOptionsPage::frm6_cmdLoeschen_Click);
}

void PasswordOptionsPage::load(const KundeSettings& s)
{
    m_first->clear();
    m_second->clear();
    m_atStart->setChecked(s.passStart);
    showDefined(!s.passwort.isEmpty());
}

void PasswordOptionsPage::apply(KundeSettings& s) const
{
    s.passStart = m_atStart->isChecked();
}

void PasswordOptionsPage::showDefined(bool defined)
{
    m_state->setText(defined ? QStringLiteral("Ein Passwort ist eingetragen.") : QStringLiteral("Es ist kein Passwort eingetragen."));
}

void PasswordOptionsPage::frm6_cmdEintragen_Click()
{
    const QString password = m_first->text();
    if (password != m_second->text() || password.size() < kMinLength) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Ihre Angaben sind nicht korrekt.\r\rBitte geben Sie zweimal das gleiche "
                                              "Passwort\rein (mind.3 Zeichen)."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    if (!PasswordCode::fits(password)) {
        // kunde.ini could not give it back: the program would start without a password.
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Dieses Passwort kann nicht gespeichert werden.\r\rBitte verwenden Sie "
                                              "nur Buchstaben, Ziffern und Zeichen der Tastatur\r(keine Zeichen wie "
                                              "\u03A9 oder \u2192)."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    m_first->clear();
    m_second->clear();
    showDefined(true);
    emit passwordCommitted(password, m_atStart->isChecked());
}

void PasswordOptionsPage::frm6_cmdLoeschen_Click()
{
    if (!m_ctx.prompter.ask(QStringLiteral("Soll das Passwort wirklich gelöscht werden?")))
        return;
    m_first->clear();
    m_second->clear();
    showDefined(false);
    emit passwordCommitted(QString(), m_atStart->isChecked());
}

} // namespace tarvex
