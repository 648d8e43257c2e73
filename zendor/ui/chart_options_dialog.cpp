#include "zendor/ui/chart_options_dialog.h"

#include "shared/spreadsheet/chart_kind.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zendor {

ChartOptionsDialog::ChartOptionsDialog(QWidget* parent)
    : QDialog(parent), m_title(new QLineEdit(this)), m_grouping(new QComboBox(this)), m_chart(new QComboBox(this))
{
    setObjectName(QStringLiteral("frm3"));
    setWindowTitle(QStringLiteral("Tabelle und Diagramm"));
    m_title->setObjectName(QStringLiteral("frm3_edTitel"));
    m_grouping->setObjectName(QStringLiteral("frm3_cbZeitintervall"));
    m_chart->setObjectName(QStringLiteral("frm3_cbGrafikformat"));
    m_grouping->addItems({QStringLiteral("Nach Tagen sortiert"), QStringLiteral("Nach Monaten sortiert"),
                          QStringLiteral("Nach Jahren sortiert")});
    m_chart->addItems(ChartKind::listEntries());
    m_chart->setMaxVisibleItems(int(ChartKind::listEntries().size()));

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("frm3_cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Beenden"), this);
    cancel->setObjectName(QStringLiteral("frm3_cmdBeenden"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label("frm3_lbl10", QStringLiteral("Wie soll die Tabelle aufgebaut werden?")), 0, 0, 1, 2);
    grid->addWidget(label("frm3_lbl1", QStringLiteral("Titel:")), 1, 0);
    grid->addWidget(m_title, 1, 1);
    grid->addWidget(label("frm3_lbl2", QStringLiteral("Zeitintervall:")), 2, 0);
    grid->addWidget(m_grouping, 2, 1);
    grid->addWidget(label("frm3_lbl3", QStringLiteral("Grafikformat:")), 3, 0);
    grid->addWidget(m_chart, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 2);
}

std::optional<ChartOptions> ChartOptionsDialog::ask(const ChartOptions& preset, bool participantMode)
{
    m_title->setText(preset.title);
    m_grouping->setCurrentIndex(preset.groupingPosition - 1);
    m_chart->setCurrentIndex(preset.chartPosition - 1);
    m_grouping->setEnabled(!participantMode);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return ChartOptions{m_title->text(), m_grouping->currentIndex() + 1, m_chart->currentIndex() + 1};
}

void ChartOptionsDialog::closeEvent(QCloseEvent* event)
{
    // The close button cancels; the function takes the window down itself.
    event->ignore();
    reject();
}

} // namespace zendor
