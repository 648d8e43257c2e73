#include "terminal/serial/ui/send_characters_dialog.h"

#include "shared/ui/widget_helpers.h"
#include "shared/cp1252.h"
#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/character_info.h"
#include "terminal/serial/repeated_send.h"
#include "terminal/serial/serial_module.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/help_keywords.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {


} // namespace

QStringList SendCharactersDialog::characterItems()
{
    QStringList items;
    for (int code = 0; code < 256; ++code) {
        QString name;
        if (code <= 32) {
            // The analysis line's names: the text after "Text : ".
            const QString analysis = CharacterInfo::ZeichenAnalyse(QString(Cp1252::toUnicode(uchar(code))));
            name = analysis.mid(analysis.lastIndexOf(QLatin1String("Text : ")) + 7);
        } else if (code == 127) {
            name = QStringLiteral("DEL");
        } else {
            name = Cp1252::toUnicode(uchar(code));
        }
        items << QStringLiteral("%1 ").arg(code, 3, 10, QLatin1Char('0')) + name;
    }
    return items;
}

SendCharactersDialog::SendCharactersDialog(TerminalContext& context, SerialModule& serial, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_serial(serial)
{
    setObjectName(QStringLiteral("frm25"));
    setWindowTitle(QStringLiteral("Zeichen senden"));
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_character = named(new QComboBox(this), "frm25_cbZeichen");
    m_character->addItems(characterItems());
    const QString last = context.state.settings.einZeichen;
    const int lastIndex = m_character->findText(last);
    m_character->setCurrentIndex(lastIndex >= 0 ? lastIndex : 6);
    m_count = named(new QLineEdit(QStringLiteral("1"), this), "frm25_edAnzahl");
    m_count->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,7}")), m_count));
    m_pause = named(new QLineEdit(QStringLiteral("0"), this), "frm25_edPause");
    m_pause->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}([.,]\\d{0,3})?")), m_pause));
    auto* pauseRow = new QHBoxLayout;
    pauseRow->addWidget(m_pause);
    pauseRow->addWidget(new QLabel(QStringLiteral("Sekunde(n)"), this));
    form->addRow(QStringLiteral("Zeichen:"), m_character);
    form->addRow(QStringLiteral("Anzahl:"), m_count);
    form->addRow(QStringLiteral("Pause:"), pauseRow);
    outer->addLayout(form);
    m_progress = named(new QLabel(this), "frm25_lblStatus");
    outer->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    auto* send = named(new QPushButton(QStringLiteral("Senden"), this), "frm25_cmdSenden");
    auto* close = named(new QPushButton(QStringLiteral("Schließen"), this), "frm25_cmdSchliessen");
    auto* ascii = named(new QPushButton(QStringLiteral("ASCII..."), this), "frm25_cmdASCII");
    ascii->setToolTip(QStringLiteral("Zeichentabelle zeigen"));
    connect(ascii, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(Fn::InfoAscii); });
    buttons->addWidget(ascii);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm25"), [this] { m_ctx.help.open(HelpKeyword::ZeichenSenden); }));
    buttons->addStretch(1);
    buttons->addWidget(send);
    buttons->addWidget(close);
    outer->addLayout(buttons);
    connect(send, &QPushButton::clicked, this, &SendCharactersDialog::frm25_cmdSenden_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void SendCharactersDialog::frm25_cmdSenden_Click()
{
    TerminalState& st = m_ctx.state;
    if (!st.connectionActive || m_running)
        return;
    const int code = leadingInt(m_character->currentText());
    const int count = leadingInt(m_count->text());
    QString pauseText = m_pause->text();
    pauseText.replace(QLatin1Char(','), QLatin1Char('.'));
    const double pause = leadingNumber(pauseText);
    if (!RepeatedSend::valid(code, count, pause)) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                                               QStringLiteral("Vorgaben sind nicht ok!\r\rBitte korrigieren Sie Ihre Angaben."),
                                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    st.settings.einZeichen = m_character->currentText();
    m_running = true;
    m_cancel = false;
    RepeatedSend job(st, m_serial.line(), m_ctx.clock);
    job.run(code, count, pause, [this](int sent, int total) {
        const QDateTime now = m_ctx.clock.now();
        m_progress->setText(RepeatedSend::progressText(sent, total, now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))));
    }, &m_cancel);
    m_running = false;
}

void SendCharactersDialog::done(int result)
{
    // Closing while sending stops the run first.
    m_cancel = true;
    m_ctx.settingsFile.IniDateien(2);
    QDialog::done(result);
}

} // namespace tarvex
