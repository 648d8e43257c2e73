#include "terminal/options/ui/session_options_page.h"

#include "shared/number_text.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/kunde_settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

// The widths the session screen offers, as the port dialog does.
const QStringList kWidths = {QStringLiteral("80"), QStringLiteral("100"), QStringLiteral("132")};

} // namespace

SessionOptionsPage::SessionOptionsPage(QWidget* parent) : OptionPage(parent)
{
    setObjectName(QStringLiteral("frm22"));
    auto* outer = new QVBoxLayout(this);

    auto* screenBox = new QGroupBox(QStringLiteral("Session-Bildschirm (Schrift Courier New)"), this);
    auto* form = new QFormLayout(screenBox);
    m_width = named(new QComboBox(screenBox), "frm22_cbZeichen");
    m_width->addItems(kWidths);
    form->addRow(QStringLiteral("Zeichen pro Zeile:"), m_width);
    m_fontSize = named(new QLineEdit(screenBox), "frm22_edGroesse");
    m_fontSize->setMaximumWidth(80);
    m_fontSize->setPlaceholderText(QStringLiteral("10"));
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_fontSize);
    sizeRow->addWidget(new QLabel(QStringLiteral("Punkt (%1 bis %2; leer: 10)").arg(kMinFontSize).arg(kMaxFontSize), screenBox));
    sizeRow->addStretch(1);
    form->addRow(QStringLiteral("Schriftgröße:"), sizeRow);
    outer->addWidget(screenBox);

    auto* logBox = new QGroupBox(QStringLiteral("Sitzungsprotokoll neu beginnen"), this);
    auto* log = new QVBoxLayout(logBox);
    m_logByHand = named(new QRadioButton(QStringLiteral("nur von Hand"), logBox), "frm22_optHand");
    m_logPerConnection = named(new QRadioButton(QStringLiteral("bei jedem Verbindungsaufbau"), logBox), "frm22_optVerbindung");
    m_logPerStart = named(new QRadioButton(QStringLiteral("bei jedem Programmstart"), logBox), "frm22_optStart");
    log->addWidget(m_logByHand);
    log->addWidget(m_logPerConnection);
    log->addWidget(m_logPerStart);
    outer->addWidget(logBox);
    outer->addStretch(1);
}

void SessionOptionsPage::load(const KundeSettings& s)
{
    m_width->setCurrentIndex(qMax(0, kWidths.indexOf(QString::number(s.sessionZ))));
    showNumber(m_fontSize, s.sessionG, true);
    (s.sessionL == 1 ? m_logPerConnection : s.sessionL == 2 ? m_logPerStart : m_logByHand)->setChecked(true);
}

void SessionOptionsPage::apply(KundeSettings& s) const
{
    s.sessionZ = leadingInt(m_width->currentText());
    s.sessionG = numberValue(m_fontSize);
    // A mode this page doesn't know stays as it is.
    if (m_logPerConnection->isChecked())
        s.sessionL = 1;
    else if (m_logPerStart->isChecked())
        s.sessionL = 2;
    else if (m_logByHand->isChecked() && (s.sessionL == 1 || s.sessionL == 2))
        s.sessionL = 0;
}

std::optional<OptionPage::Problem> SessionOptionsPage::check() const
{
    return numberProblem(m_fontSize, QStringLiteral("Schriftgröße"), kMinFontSize, kMaxFontSize, true);
}

} // namespace tarvex
