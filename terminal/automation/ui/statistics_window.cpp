#include "terminal/automation/ui/statistics_window.h"

#include "shared/ui/widget_helpers.h"
#include "terminal/automation/statistics_report.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace tarvex {

namespace {

struct Column
{
    const char* title;
    int width; // in the list's width units (15 to a pixel)
    PrintAlign align;
};

const Column kColumns[] = {{"Zeit", 750, PrintAlign::Left},
                           {"Senden", 1500, PrintAlign::Center},
                           {"Empfangen", 1500, PrintAlign::Center},
                           {"Summe", 1500, PrintAlign::Center}};

Qt::Alignment alignmentOf(PrintAlign a)
{
    return a == PrintAlign::Center ? Qt::AlignHCenter : a == PrintAlign::Right ? Qt::AlignRight : Qt::AlignLeft;
}

} // namespace

using WidgetHelpers::named;

StatisticsWindow::StatisticsWindow(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display), m_export(context)
{
    setObjectName(QStringLiteral("frm21"));
    setWindowTitle(QStringLiteral("Statistik"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_since = named(new QLabel(this), "frm21_lbl1");
    m_refreshed = named(new QLabel(this), "frm21_lblRefresh");
    m_refreshed->setToolTip(QStringLiteral("Zeitpunkt der letzten Aktualisierung"));
    top->addWidget(m_since);
    top->addStretch(1);
    top->addWidget(m_refreshed);
    layout->addLayout(top);

    auto* body = new QHBoxLayout;
    m_table = named(new QTreeWidget(this), "frm21_lvTabelle");
    m_table->setRootIsDecorated(false);
    m_table->setAllColumnsShowFocus(true);
    m_table->setColumnCount(int(std::size(kColumns)));
    auto* header = new QTreeWidgetItem;
    int tableWidth = 0;
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        header->setText(i, QString::fromUtf8(kColumns[i].title));
        header->setTextAlignment(i, alignmentOf(kColumns[i].align));
        m_table->setColumnWidth(i, kColumns[i].width / 15);
        tableWidth += kColumns[i].width / 15;
    }
    m_table->setHeaderItem(header);
    m_table->setMinimumWidth(tableWidth + 30);
    body->addWidget(m_table);

    m_chartView = named(new QChartView(this), "frm21_frxGrafik");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(420, 300);
    m_chartView->chart()->legend()->setAlignment(Qt::AlignBottom);
    body->addWidget(m_chartView, 1);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    auto* styleLabel = new QLabel(QStringLiteral("Grafik:"), this);
    m_style = named(new QComboBox(this), "frm21_cbGrafik");
    m_style->addItems({QStringLiteral("Balken"), QStringLiteral("Linien"), QStringLiteral("Strich")});
    styleLabel->setBuddy(m_style);
    connect(m_style, &QComboBox::currentIndexChanged, this, [this] { drawChart(); });
    auto* refreshButton = named(new QPushButton(QStringLiteral("Aktualisieren"), this), "frm21_cmdRefresh");
    auto* resetButton = named(new QPushButton(QStringLiteral("Zurücksetzen"), this), "frm21_cmdReset");
    m_spreadsheet = named(new QPushButton(QStringLiteral("Tabellenkalkulation"), this), "frm21_cmdMSExcel");
    m_spreadsheet->setToolTip(QStringLiteral("Statistik als Tabelle mit Diagramm öffnen"));
    auto* printButton = named(new QPushButton(QStringLiteral("Drucken"), this), "frm21_cmdDrucken");
    auto* closeButton = named(new QPushButton(QStringLiteral("Schließen"), this), "frm21_cmdBeenden");
    // Every button runs as a step of the statistics procedure, failures reported under its name.
    const auto step = [this](int number, void (StatisticsWindow::*action)()) {
        return [this, number, action] { guarded(m_ctx.errors, "Statistik", number, QString(), [&] { (this->*action)(); }); };
    };
    connect(refreshButton, &QPushButton::clicked, this, step(1, &StatisticsWindow::refresh));
    connect(resetButton, &QPushButton::clicked, this, step(2, &StatisticsWindow::reset));
    connect(m_spreadsheet, &QPushButton::clicked, this, step(3, &StatisticsWindow::exportToSpreadsheet));
    connect(printButton, &QPushButton::clicked, this, step(4, &StatisticsWindow::print));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(styleLabel);
    buttons->addWidget(m_style);
    buttons->addStretch(1);
    buttons->addWidget(refreshButton);
    buttons->addWidget(resetButton);
    buttons->addWidget(m_spreadsheet);
    buttons->addWidget(printButton);
    (new ExportButtons(m_ctx, QStringLiteral("frm21"), m_table, this))->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm21"), [this] { m_ctx.help.open(HelpKeyword::Statistik); }));
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    // The chart kinds of the spreadsheet export; the separator keeps its place (position 8).
    m_chartKinds = named(new QMenu(this), "frm21_mnuGrafikformat");
    const QStringList kinds = StatisticsExport::chartEntries();
    for (int i = 0; i < kinds.size(); ++i) {
        if (i + 1 == 8)
            m_chartKinds->addSeparator()->setText(kinds.at(i));
        else
            m_chartKinds->addAction(kinds.at(i))->setData(i + 1);
    }
    connect(m_chartKinds, &QMenu::triggered, this, [this](QAction* a) {
        if (m_pickedPosition >= 0)
            m_pickedPosition = a->data().toInt();
    });
    // A picked entry is triggered after the menu hid: the export waits for both.
    connect(m_chartKinds, &QMenu::aboutToHide, this, [this] {
        QMetaObject::invokeMethod(this, [this] {
            const int position = m_pickedPosition;
            m_pickedPosition = -1;
            if (position >= 0)
                guarded(m_ctx.errors, "Statistik", 3, QString::number(position), [&] { chartKindChosen(position); });
        }, Qt::QueuedConnection);
    });

    setModal(false);
    WidgetHelpers::placeWindow(this, place(), QSize(1000, 560), parent);
    refresh();
}

QChart* StatisticsWindow::chart() const
{
    return m_chartView->chart();
}

WidgetHelpers::WindowPlace StatisticsWindow::place()
{
    KundeSettings& s = m_ctx.state.settings;
    return {s.statistX, s.statistY, s.statistB, s.statistH};
}

void StatisticsWindow::done(int result)
{
    WidgetHelpers::rememberPlace(this, place());
    QDialog::done(result);
}

void StatisticsWindow::refresh()
{
    const TerminalState& st = m_ctx.state;
    m_since->setText(StatisticsReport::sinceText(st.sentStats));
    m_table->clear();
    for (const StatisticsRow& row : StatisticsReport::rows(st.sentStats, st.receivedStats)) {
        auto* item = new QTreeWidgetItem(row.cells());
        for (int i = 0; i < int(std::size(kColumns)); ++i)
            item->setTextAlignment(i, alignmentOf(kColumns[i].align));
        m_table->addTopLevelItem(item);
    }
    drawChart();
    m_refreshed->setText(m_ctx.clock.now().toString(QStringLiteral("hh:mm:ss")));
}

void StatisticsWindow::drawChart()
{
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }

    const QList<StatisticsRow> rows = StatisticsReport::rows(m_ctx.state.sentStats, m_ctx.state.receivedStats);
    QStringList times;
    qint64 top = 0;
    for (const StatisticsRow& r : rows) {
        times << r.time;
        top = qMax(top, m_style->currentIndex() == int(Style::Sticks) ? r.sum() : qMax(r.sent, r.received));
    }
    const QString sentName = QStringLiteral("Senden");
    const QString receivedName = QStringLiteral("Empfangen");
    QList<QAbstractSeries*> series;
    if (m_style->currentIndex() == int(Style::Lines)) {
        auto* sent = new QLineSeries;
        auto* received = new QLineSeries;
        sent->setName(sentName);
        received->setName(receivedName);
        for (int i = 0; i < rows.size(); ++i) {
            sent->append(i, double(rows.at(i).sent));
            received->append(i, double(rows.at(i).received));
        }
        series = {sent, received};
    } else {
        auto* sent = new QBarSet(sentName);
        auto* received = new QBarSet(receivedName);
        for (const StatisticsRow& r : rows) {
            sent->append(double(r.sent));
            received->append(double(r.received));
        }
        QAbstractBarSeries* bars = nullptr;
        if (m_style->currentIndex() == int(Style::Sticks)) {
            // One thin stick per half hour: received stacked on sent.
            bars = new QStackedBarSeries;
            bars->setBarWidth(0.25);
        } else {
            bars = new QBarSeries;
            bars->setBarWidth(0.8);
        }
        bars->append(sent);
        bars->append(received);
        series = {bars};
    }

    // The half hours lie at 0 to 47; every third hour is labelled so the labels stay legible.
    auto* timeAxis = new QCategoryAxis;
    timeAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    timeAxis->setRange(-0.5, StatisticsReport::kRows - 0.5);
    for (int i = 0; i < StatisticsReport::kRows; i += 6)
        timeAxis->append(times.at(i), i);
    timeAxis->setGridLineVisible(false);
    auto* countAxis = new QValueAxis;
    countAxis->setRange(0, double(qMax<qint64>(top, 10)));
    countAxis->setLabelFormat(QStringLiteral("%.0f"));
    countAxis->applyNiceNumbers();
    countAxis->setTitleText(QStringLiteral("Zeichen"));
    c->addAxis(timeAxis, Qt::AlignBottom);
    c->addAxis(countAxis, Qt::AlignLeft);
    for (QAbstractSeries* s : series) {
        c->addSeries(s);
        s->attachAxis(timeAxis);
        s->attachAxis(countAxis);
    }
}

void StatisticsWindow::reset()
{
    if (m_ctx.prompter.message(QStringLiteral("Sicherheitsabfrage"),
                               QStringLiteral("Wollen Sie die Statistischen Daten zurücksetzen?"), BoxButtons::YesNo,
                               BoxIcon::Question) != BoxAnswer::Yes)
        return;
    StatisticsReport::reset(m_ctx.state, m_ctx.clock.now());
    refresh();
}

void StatisticsWindow::exportToSpreadsheet()
{
    if (m_pickedPosition >= 0 || !m_export.ready())
        return;
    m_pickedPosition = 0;
    m_chartKinds->popup(m_spreadsheet->mapToGlobal(QPoint(0, m_spreadsheet->height())));
}

void StatisticsWindow::chartKindChosen(int position)
{
    m_export.run(WidgetHelpers::rowTexts(m_table), StatisticsExport::chartCodeOfPosition(position));
}

void StatisticsWindow::print()
{
    QList<PrintColumn> columns;
    for (const Column& c : kColumns)
        columns.append({QString::fromUtf8(c.title), c.align});
    m_display.printTable(QStringLiteral("Statistik"), columns, WidgetHelpers::rowTexts(m_table));
}

} // namespace tarvex
