#include "terminal/script/ui/script_selection_dialog.h"

#include "shared/daten_pipe.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/help_keywords.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvex {

namespace {

const WidgetHelpers::TwipColumn kColumns[] = {
    {"Nr.", 450}, {"Bezeichnung", 3000}, {"Befehle", 3000}, {"Abfrage", 800}, {"Return", 800},
    {"LineFeed", 850}, {"Quittung", 800}, {"Zeichen", 1000}, {"Warten", 800}, {"Wartezeit", 1000}};

} // namespace

using WidgetHelpers::named;

ScriptSelectionDialog::ScriptSelectionDialog(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display)
{
    setObjectName(QStringLiteral("frm14"));
    setWindowTitle(QStringLiteral("Scriptauswahl"));
    auto* layout = new QVBoxLayout(this);
    m_count = named(new QLabel(this), "frm14_lbl1");
    m_group = named(new QLabel(this), "frm14_lblGruppe");
    layout->addWidget(m_count);
    layout->addWidget(m_group);
    m_table = named(new QTreeWidget(this), "frm14_lvTabelle");
    m_table->setRootIsDecorated(false);
    m_table->setAllColumnsShowFocus(true);
    WidgetHelpers::setTwipColumns(m_table, kColumns);
    m_table->header()->setSectionsClickable(true);
    connect(m_table->header(), &QHeaderView::sectionClicked, this, &ScriptSelectionDialog::sortByColumn);
    connect(m_table, &QTreeWidget::itemDoubleClicked, this, [this] { send(); });
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    m_send = named(new QPushButton(QStringLiteral("Senden"), this), "frm14_cmdSenden");
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm14_cmdAbbrechen");
    auto* printButton = named(new QPushButton(QStringLiteral("Drucken"), this), "frm14_cmdDrucken");
    m_manage = named(new QPushButton(QStringLiteral("Verwalten"), this), "frm14_cmdScriptV");
    m_manage->setToolTip(QStringLiteral("Scripts verwalten"));
    // Usable once the management dialog is part of the program.
    m_manage->setEnabled(m_ctx.functions.contains(Fn::Scriptverwaltung));
    connect(m_manage, &QPushButton::clicked, this, [this] { manageScripts(); });
    connect(m_send, &QPushButton::clicked, this, [this] { send(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    buttons->addWidget(m_send);
    buttons->addWidget(m_manage);
    buttons->addWidget(printButton);
    auto* exportButtons = new ExportButtons(m_ctx, QStringLiteral("frm14"), m_table, this);
    exportButtons->dropEdit();
    exportButtons->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm14"), [this] { m_ctx.help.open(HelpKeyword::Scriptauswahl); }));
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_status = named(new QStatusBar(this), "frm14_sb1");
    m_status->setSizeGripEnabled(true);
    layout->addWidget(m_status);
    connect(m_table, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });
    setModal(false);
    KundeSettings& s = m_ctx.state.settings;
    WidgetHelpers::placeWindow(this, {s.scriptX, s.scriptY, s.scriptB, s.scriptH}, QSize(900, 400), parent);
    fill();
}

void ScriptSelectionDialog::done(int result)
{
    KundeSettings& s = m_ctx.state.settings;
    WidgetHelpers::rememberPlace(this, {s.scriptX, s.scriptY, s.scriptB, s.scriptH});
    QDialog::done(result);
}

void ScriptSelectionDialog::showSelected()
{
    const QTreeWidgetItem* row = m_table->currentItem();
    m_status->showMessage(row ? QStringLiteral("Script ") + row->text(0) + QStringLiteral(": ") + row->text(2)
                              : QStringLiteral("Kein Script ausgewählt"));
}

void ScriptSelectionDialog::manageScripts()
{
    m_ctx.functions.PrgFunktionen(Fn::Scriptverwaltung);
    fill();
}

void ScriptSelectionDialog::fill()
{
    const TerminalState& st = m_ctx.state;
    const QString remembered = st.settings.scriptGrp;
    const qsizetype colon = remembered.indexOf(QStringLiteral(": "));
    const QString groupPath = colon >= 0 ? remembered.mid(colon + 2) : remembered;
    m_group->setText(QStringLiteral("Aktuelle Gruppe: ") + QFileInfo(groupPath).fileName());
    m_group->setToolTip(remembered);

    m_table->clear();
    int rows = 0;
    for (int i = 1; i < ScriptTable::kSlots; ++i) {
        const QString& record = st.scripts.slot(i);
        if (record.isEmpty())
            continue;
        QStringList cells{QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'))};
        for (int f = 1; f <= 9; ++f)
            cells << DatenPipe(f, record);
        m_table->addTopLevelItem(new QTreeWidgetItem(cells));
        ++rows;
    }
    m_send->setEnabled(rows > 0);
    if (rows > 0) {
        m_table->setCurrentItem(m_table->topLevelItem(0));
        m_table->scrollToItem(m_table->topLevelItem(0));
    }
    m_count->setText(QStringLiteral("Scriptauswahl (") + QString::number(rows) + QStringLiteral("):"));
    showSelected();
}

void ScriptSelectionDialog::sortByColumn(int column)
{
    m_sortOrder = (column == m_sortColumn && m_sortOrder == Qt::AscendingOrder) ? Qt::DescendingOrder
                                                                                : Qt::AscendingOrder;
    m_sortColumn = column;
    m_table->sortItems(column, m_sortOrder);
    m_table->header()->setSortIndicator(column, m_sortOrder);
    m_table->header()->setSortIndicatorShown(true);
}

void ScriptSelectionDialog::send()
{
    const QTreeWidgetItem* row = m_table->currentItem();
    if (!row || !m_send->isEnabled())
        return;
    m_chosen = row->text(0) + QLatin1Char(' ') + row->text(1).trimmed();
    accept();
}

void ScriptSelectionDialog::print()
{
    m_display.printList(QStringLiteral("Scriptauswahl"), m_table);
}

} // namespace tarvex
