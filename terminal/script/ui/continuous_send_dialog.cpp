#include "terminal/script/ui/continuous_send_dialog.h"

#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/help_keywords.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

constexpr int kBlinkMs = 500;

// Keys the repetition count takes: control keys (codes below 28), "." "/" and the digits.
bool countKeyAccepted(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.isEmpty())
        return true; // cursor and editing keys carry no character
    const char16_t code = text.front().unicode();
    return code < 28 || (code >= 46 && code <= 57);
}

} // namespace

QStringList ContinuousSendDialog::countItems()
{
    return {QStringLiteral("0"),   QStringLiteral("1"),    QStringLiteral("2"),    QStringLiteral("3"),
            QStringLiteral("4"),   QStringLiteral("5"),    QStringLiteral("10"),   QStringLiteral("25"),
            QStringLiteral("50"),  QStringLiteral("100"),  QStringLiteral("250"),  QStringLiteral("500"),
            QStringLiteral("1000"), QStringLiteral("2500"), QStringLiteral("5000"), QStringLiteral("10000")};
}

QStringList ContinuousSendDialog::pauseItems()
{
    return {QStringLiteral("1"),   QStringLiteral("5"),   QStringLiteral("10"),  QStringLiteral("25"),  QStringLiteral("50"),
            QStringLiteral("100"), QStringLiteral("250"), QStringLiteral("500"), QStringLiteral("1000")};
}

ContinuousSendDialog::ContinuousSendDialog(TerminalContext& context, SerialLine& line,
                                           std::function<ContinuousSend::ScriptStart(const QString&)> runScript,
                                           QWidget* parent)
    : QDialog(parent), m_ctx(context), m_send(context, line)
{
    setObjectName(QStringLiteral("frm24"));
    setWindowTitle(QStringLiteral("Dauertest senden"));
    setMinimumWidth(560);
    m_send.runScript = std::move(runScript);
    m_send.counterChanged = [this](qint64 counter) { m_counter->setText(QString::number(counter)); };

    auto* outer = new QVBoxLayout(this);
    auto* what = new QGroupBox(QStringLiteral("Senden"), this);
    auto* grid = new QGridLayout(what);
    m_options[0] = named(new QRadioButton(QStringLiteral("Textbaustein:"), what), "frm24_optAuswahl1");
    m_options[1] = named(new QRadioButton(QStringLiteral("Textdatei:"), what), "frm24_optAuswahl2");
    m_options[2] = named(new QRadioButton(QStringLiteral("Script:"), what), "frm24_optAuswahl3");
    m_text = named(new QLineEdit(what), "frm24_edTextbaustein");
    m_file = named(new QLineEdit(context.state.folders.programDir() + QStringLiteral("Installationshinweis!.txt"), what),
                   "frm24_edDatei");
    m_choose = named(new QPushButton(QStringLiteral("..."), what), "frm24_cmdAuswahl");
    m_choose->setToolTip(QStringLiteral("Textdatei auswählen"));
    m_script = named(new QComboBox(what), "frm24_cbScript");
    grid->addWidget(m_options[0], 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    grid->addWidget(m_options[1], 1, 0);
    grid->addWidget(m_file, 1, 1);
    grid->addWidget(m_choose, 1, 2);
    grid->addWidget(m_options[2], 2, 0);
    grid->addWidget(m_script, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    outer->addWidget(what);

    auto* how = new QGridLayout;
    m_count = named(new QComboBox(this), "frm24_cbSchleife");
    m_count->setEditable(true);
    m_count->setInsertPolicy(QComboBox::NoInsert);
    m_count->addItems(countItems());
    m_count->setCurrentIndex(0);
    m_pause = named(new QComboBox(this), "frm24_cbPause");
    m_pause->setEditable(true);
    m_pause->setInsertPolicy(QComboBox::NoInsert);
    m_pause->addItems(pauseItems());
    m_pause->setCurrentIndex(0);
    m_seconds = named(new QLabel(this), "frm24_lblZeit");
    how->addWidget(new QLabel(QStringLiteral("Wiederholungen (0 = ohne Ende):"), this), 0, 0);
    how->addWidget(m_count, 0, 1);
    how->addWidget(new QLabel(QStringLiteral("Pause (Millisekunden):"), this), 1, 0);
    how->addWidget(m_pause, 1, 1);
    how->addWidget(m_seconds, 1, 2);
    m_counter = named(new QLabel(QStringLiteral("0"), this), "frm24_lbl15");
    m_indicator = named(new QLabel(QStringLiteral("Test läuft..."), this), "frm24_lblTest");
    m_indicator->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    m_indicator->hide();
    m_blink = named(new QTimer(this), "frm24_tmrTest");
    m_blink->setInterval(kBlinkMs);
    how->addWidget(new QLabel(QStringLiteral("Durchlauf:"), this), 2, 0);
    how->addWidget(m_counter, 2, 1);
    how->addWidget(m_indicator, 2, 2);
    how->setColumnStretch(2, 1);
    outer->addLayout(how);

    // The abort hint on its coloured background (both in one cell), shown while the test runs.
    auto* abortCell = new QGridLayout;
    m_abortBack = named(new QLabel(this), "frm24_lblAbbr_HG");
    m_abortBack->setStyleSheet(QStringLiteral("background-color: #ffffc0; border: 1px solid #c0a000;"));
    m_abortHint = named(new QLabel(QStringLiteral("Der Test läuft. Mit \"Abbrechen\" wird er beendet."), this),
                        "frm24_lblAbbruch");
    m_abortHint->setAlignment(Qt::AlignCenter);
    m_abortHint->setContentsMargins(6, 4, 6, 4);
    abortCell->addWidget(m_abortBack, 0, 0);
    abortCell->addWidget(m_abortHint, 0, 0);
    outer->addLayout(abortCell);
    // Their room is kept while they are hidden, so the window does not change its size.
    for (QLabel* label : {m_abortBack, m_abortHint}) {
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->hide();
    }

    auto* buttons = new QHBoxLayout;
    m_start = named(new QPushButton(QStringLiteral("&Starten"), this), "frm24_cmdStart");
    m_end = named(new QPushButton(QStringLiteral("&Beenden"), this), "frm24_cmdBeenden");
    m_start->setAutoDefault(false);
    m_end->setAutoDefault(false);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm24"), [this] { m_ctx.help.open(HelpKeyword::Dauertest); }));
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_end);
    outer->addLayout(buttons);

    for (int i = 0; i < 3; ++i)
        connect(m_options[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                selectSource(i + 1);
        });
    connect(m_choose, &QPushButton::clicked, this, &ContinuousSendDialog::frm24_cmdAuswahl_Click);
    connect(m_start, &QPushButton::clicked, this, &ContinuousSendDialog::frm24_cmdStart_Click);
    connect(m_end, &QPushButton::clicked, this, &ContinuousSendDialog::frm24_cmdBeenden_Click);
    connect(m_pause, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { m_seconds->setText(ContinuousSend::pauseText(text)); });
    connect(m_count, &QComboBox::currentTextChanged, this, &ContinuousSendDialog::updatePauseEnabled);
    connect(m_blink, &QTimer::timeout, this, [this] { m_indicator->setVisible(!m_indicator->isVisible()); });
    m_count->installEventFilter(this);
    m_count->lineEdit()->installEventFilter(this);

    m_seconds->setText(ContinuousSend::pauseText(m_pause->currentText()));
    updatePauseEnabled();
    prepare();
}

void ContinuousSendDialog::prepare()
{
    m_script->clear();
    m_script->addItems(m_ctx.state.scripts.barItems());
    m_script->setCurrentIndex(0);
    if (!m_options[0]->isChecked())
        m_options[0]->setChecked(true);
    else
        selectSource(1);
}

void ContinuousSendDialog::selectSource(int option)
{
    m_text->setEnabled(option == 1);
    m_file->setEnabled(option == 2);
    m_choose->setEnabled(option == 2);
    m_script->setEnabled(option == 3);
}

void ContinuousSendDialog::updatePauseEnabled()
{
    // The pause lies between repetitions: it matters whenever more than one runs, also for
    // a test without end (0).
    m_pause->setEnabled(leadingInt(m_count->currentText()) != 1);
}

bool ContinuousSendDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !countKeyAccepted(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::FocusOut && watched == m_count)
        updatePauseEnabled();
    return QDialog::eventFilter(watched, event);
}

void ContinuousSendDialog::frm24_cmdAuswahl_Click()
{
    const QFileInfo current(m_file->text());
    const QString startDir = current.absoluteDir().exists() && !m_file->text().isEmpty()
                                 ? current.absolutePath()
                                 : m_ctx.state.folders.programDir();
    const QStringList chosen = m_ctx.prompter.fileDialog({FileDialogKind::Open, QStringLiteral("Bitte Textdatei auswählen:"),
                                                          startDir, QStringLiteral("*.txt"),
                                                          QStringLiteral("Textdateien|*.txt|Datendateien|*.dat")});
    if (!chosen.isEmpty() && QFileInfo(chosen.first()).isFile())
        m_file->setText(chosen.first());
}

void ContinuousSendDialog::frm24_cmdStart_Click()
{
    if (m_send.running())
        return;
    ContinuousSend::Job job;
    job.count = leadingInt(m_count->currentText());
    job.pauseMs = leadingInt(m_pause->currentText());
    if (m_options[1]->isChecked()) {
        job.source = ContinuousSend::Source::FileLines;
        job.data = m_file->text();
    } else if (m_options[2]->isChecked()) {
        job.source = ContinuousSend::Source::Script;
        job.data = m_script->currentText();
    } else {
        job.source = ContinuousSend::Source::TextBlock;
        job.data = m_text->text();
    }
    if (job.data.isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Es sind keine Angaben zum Senden gemacht!\r\rBitte korrigieren Sie Ihr Angaben."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    if (!m_ctx.state.connectionActive) {
        m_ctx.prompter.information(QStringLiteral("Keine Verbindung aktiv!"));
        return;
    }
    setRunning(true);
    const ContinuousSend::End end = m_send.run(job);
    // Input that came in while the last repetition ran is handled before the window changes.
    m_ctx.clock.wait(0);
    setRunning(false);
    reportEnd(end, job.data);
}

void ContinuousSendDialog::setRunning(bool running)
{
    if (running) {
        m_indicator->show();
        m_blink->start();
    } else {
        m_blink->stop();
        m_indicator->hide();
    }
    m_start->setEnabled(!running);
    m_end->setText(running ? QStringLiteral("&Abbrechen") : QStringLiteral("&Beenden"));
    m_abortBack->setVisible(running);
    m_abortHint->setVisible(running);
}

void ContinuousSendDialog::reportEnd(ContinuousSend::End end, const QString& data)
{
    switch (end) {
    case ContinuousSend::End::ConnectionClosed:
        m_ctx.prompter.information(QStringLiteral("Keine Verbindung aktiv!"));
        break;
    case ContinuousSend::End::ScriptBusy:
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Es läuft bereits ein Script.\r\rDer Dauertest wurde beendet."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        break;
    case ContinuousSend::End::ScriptMissing:
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Das Script\r\r") + data
                                   + QStringLiteral("\r\rist nicht mehr in der Scriptauswahl.\r\rDer Dauertest wurde beendet."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        break;
    case ContinuousSend::End::Finished:
    case ContinuousSend::End::Cancelled:
    case ContinuousSend::End::ProgramEnd:
    case ContinuousSend::End::Failed: // already reported
        break;
    }
}

void ContinuousSendDialog::frm24_cmdBeenden_Click()
{
    if (m_send.running())
        m_send.cancel();
    else
        accept();
}

void ContinuousSendDialog::done(int result)
{
    // Closing the window ends a running test at its next check.
    m_send.cancel();
    QDialog::done(result);
}

} // namespace tarvex
