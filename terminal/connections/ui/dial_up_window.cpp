#include "terminal/connections/ui/dial_up_window.h"

#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "terminal/connections/dial_up.h"
#include "terminal/core/help_desk.h"
#include "terminal/core/help_keywords.h"
#include "terminal/core/maker_addresses.h"
#include "shared/ui/widget_helpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

namespace {

const char* const kTag = "tag";

} // namespace

DialUpWindow::DialUpWindow(DialUpSystem& system, Prompter& prompter, Shell& shell, HelpDesk& help, QWidget* parent)
    : QDialog(parent), m_system(system), m_prompter(prompter), m_shell(shell)
{
    setObjectName(QStringLiteral("frm26"));
    setWindowTitle(QStringLiteral("DFÜ-Verbindungen"));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("frm26_lbl1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("frm26_lbDFU"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("frm26_lblStatus"));
    m_status->setWordWrap(true);
    m_connect = new QPushButton(QStringLiteral("&Verbinden"), this);
    m_connect->setObjectName(QStringLiteral("frm26_cmdVerbinden"));
    m_disconnect = new QPushButton(QStringLiteral("&Trennen"), this);
    m_disconnect->setObjectName(QStringLiteral("frm26_cmdTrennen"));
    m_web = new QPushButton(QStringLiteral("&Webseite"), this);
    m_web->setObjectName(QStringLiteral("frm26_cmdWebseite"));
    m_web->setToolTip(Maker::webSite());
    m_mail = new QPushButton(QStringLiteral("&Support-Mail"), this);
    m_mail->setObjectName(QStringLiteral("frm26_cmdMail"));
    m_mail->setToolTip(Maker::supportMail());
    m_close = new QPushButton(QStringLiteral("&Schließen"), this);
    m_close->setObjectName(QStringLiteral("frm26_cmdSchliessen"));
    m_disconnect->setProperty(kTag, QStringLiteral("0"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_connect, m_disconnect, m_web, m_mail})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm26"),
                                                 [&help] { help.open(HelpKeyword::DfueVerbindungen); }));
    buttons->addWidget(m_close);
    auto* left = new QVBoxLayout;
    left->addWidget(m_label);
    left->addWidget(m_list, 1);
    left->addWidget(m_status);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_connect, &QPushButton::clicked, this, &DialUpWindow::frm26_cmdVerbinden_Click);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &DialUpWindow::frm26_cmdVerbinden_Click);
    connect(m_disconnect, &QPushButton::clicked, this, &DialUpWindow::frm26_cmdTrennen_Click);
    connect(m_web, &QPushButton::clicked, this, [this] { m_shell.openUrl(Maker::webSite()); });
    connect(m_mail, &QPushButton::clicked, this,
            [this] { m_shell.openUrl(QStringLiteral("mailto:") + Maker::supportMail()); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_system, &DialUpSystem::dialFinished, this, &DialUpWindow::dialFinished);
    resize(440, 280);
}

void DialUpWindow::load()
{
    const DialUpSystem::Listing listing = m_system.entries();
    m_list->clear();
    m_list->addItems(listing.names);
    if (listing.names.isEmpty()) {
        QString text = QStringLiteral("Keine DFÜ-Verbindung vorhanden.");
        if (!listing.error.isEmpty())
            text += QStringLiteral("\r\r") + listing.error;
        m_prompter.information(text);
    } else {
        m_list->setCurrentRow(0);
    }
    m_label->setText(QStringLiteral("Eingerichtete Verbindungen (") + QString::number(listing.names.size())
                     + QStringLiteral("):"));
    m_status->clear();
    setLinked(false);
}

quint64 DialUpWindow::handle() const
{
    return m_disconnect->property(kTag).toString().toULongLong();
}

void DialUpWindow::setLinked(bool linked)
{
    m_list->setEnabled(!linked);
    m_connect->setEnabled(!linked);
    m_disconnect->setEnabled(linked);
    m_web->setEnabled(linked);
    m_mail->setEnabled(linked);
}

void DialUpWindow::frm26_cmdVerbinden_Click()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || !m_list->isEnabled() || m_system.dialling())
        return;
    m_dialled = item->text();
    // Unattended: the system's own dialling messages are not shown; the window says it waits.
    m_list->setEnabled(false);
    m_connect->setEnabled(false);
    m_status->setText(QStringLiteral("Verbindung zu ") + m_dialled + QStringLiteral(" wird aufgebaut..."));
    setCursor(Qt::BusyCursor);
    m_system.dial(m_dialled);
}

void DialUpWindow::dialFinished(quint64 handle, const QString& reason)
{
    // A dial started by an earlier window (closed meanwhile) is not this window's link.
    if (m_dialled.isEmpty() || m_disconnect->isEnabled())
        return;
    unsetCursor();
    m_disconnect->setProperty(kTag, QString::number(handle));
    if (handle == 0) {
        m_status->setText(reason);
        setLinked(false);
        m_prompter.message(QStringLiteral("Information"),
                           QStringLiteral("DFÜ-Verbindung\r\r") + m_dialled
                               + QStringLiteral("\r\r konnte nicht aufgebaut werden."),
                           BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    m_status->setText(QStringLiteral("Verbunden: ") + m_dialled);
    setLinked(true);
}

void DialUpWindow::frm26_cmdTrennen_Click()
{
    const quint64 old = handle();
    if (old == 0)
        return;
    if (m_prompter.message(QStringLiteral("Sicherheitsabfrage"), QStringLiteral("Soll die aktive Verbindung getrennt werden?"),
                           BoxButtons::YesNo, BoxIcon::Question)
        != BoxAnswer::Yes)
        return;
    m_disconnect->setProperty(kTag, QStringLiteral("0"));
    m_system.hangUp(old);
    m_status->clear();
    setLinked(false);
}

} // namespace tarvex
