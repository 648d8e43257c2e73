#include "terminal/connections/ui/phone_book_dialog.h"

#include "shared/app_folders.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

const WidgetHelpers::TwipColumn kColumns[] = {
    {"Nr.", 450}, {"Rufnummer", 2000}, {"Bezeichnung", 3000}, {"Standort", 3000}};

} // namespace

PhoneBookDialog::PhoneBookDialog(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display)
{
    setObjectName(QStringLiteral("frm16"));
    setWindowTitle(QStringLiteral("Telefonbuch"));
    buildControls();
    resize(720, 480);
    load();
}

void PhoneBookDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    m_count = named(new QLabel(this), "frm16_lbl1");
    layout->addWidget(m_count);
    m_table = named(new QTreeWidget(this), "frm16_lvTabelle");
    m_table->setRootIsDecorated(false);
    m_table->setAllColumnsShowFocus(true);
    WidgetHelpers::setTwipColumns(m_table, kColumns);
    m_table->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    // A click on a column header sorts by that column.
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);
    connect(m_table, &QTreeWidget::currentItemChanged, this, [this] { showRow(); });
    connect(m_table, &QTreeWidget::itemClicked, this, [this] { showRow(); });
    connect(m_table, &QTreeWidget::itemDoubleClicked, this, [this] {
        showRow();
        accept();
    });
    layout->addWidget(m_table, 1);

    auto* fields = new QGridLayout;
    m_number = named(new QLineEdit(this), "frm16_edRufnummer");
    m_name = named(new QLineEdit(this), "frm16_edBezeichnung");
    m_place = named(new QLineEdit(this), "frm16_edStandort");
    fields->addWidget(new QLabel(QStringLiteral("Rufnummer"), this), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("Bezeichnung"), this), 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Standort"), this), 0, 2);
    fields->addWidget(m_number, 1, 0);
    fields->addWidget(m_name, 1, 1);
    fields->addWidget(m_place, 1, 2);
    layout->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    m_dial = named(new QPushButton(QStringLiteral("Wählen"), this), "frm16_cmdWählen");
    auto* enter = named(new QPushButton(QStringLiteral("Eintragen"), this), "frm16_cmdEintragen");
    m_remove = named(new QPushButton(QStringLiteral("Löschen"), this), "frm16_cmdLöschen");
    m_removeAll = named(new QPushButton(QStringLiteral("Alle löschen"), this), "frm16_cmdAlleLöschen");
    m_print = named(new QPushButton(QStringLiteral("Drucken"), this), "frm16_cmdDrucken");
    auto* close = named(new QPushButton(QStringLiteral("Beenden"), this), "frm16_cmdBeenden");
    for (QPushButton* b : {m_dial, enter, m_remove, m_removeAll, m_print})
        buttons->addWidget(b);
    m_export = new ExportButtons(m_ctx, QStringLiteral("frm16"), m_table, this);
    m_export->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm16"), [this] { m_ctx.help.open(HelpKeyword::Telefonbuch); }));
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    for (QPushButton* b : {m_dial, enter, m_remove, m_removeAll, m_print, close})
        b->setAutoDefault(false);

    connect(m_dial, &QPushButton::clicked, this, &QDialog::accept);
    connect(enter, &QPushButton::clicked, this, &PhoneBookDialog::enter);
    connect(m_remove, &QPushButton::clicked, this, &PhoneBookDialog::remove);
    connect(m_removeAll, &QPushButton::clicked, this, &PhoneBookDialog::removeAll);
    connect(m_print, &QPushButton::clicked, this,
            [this] { m_display.printList(QStringLiteral("Telefonbuch"), m_table); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString PhoneBookDialog::path() const
{
    return AppFolders::findCaseInsensitive(m_ctx.state.folders.configDir() + PhoneBook::fileName());
}

void PhoneBookDialog::load()
{
    guarded(m_ctx.errors, "Telefonbuch", 1, path(), [&] {
        for (const PhoneEntry& e : PhoneBook::load(path()))
            addRow(e);
    });
    if (m_table->topLevelItemCount() > 0)
        m_table->setCurrentItem(m_table->topLevelItem(0));
    updateState();
}

void PhoneBookDialog::addRow(const PhoneEntry& entry)
{
    auto* item = new QTreeWidgetItem(
        QStringList{QStringLiteral("%1").arg(m_table->topLevelItemCount() + 1, 4, 10, QLatin1Char('0')),
                    entry.rufnummer, entry.bezeichnung, entry.standort});
    item->setTextAlignment(0, Qt::AlignCenter);
    m_table->addTopLevelItem(item);
}

void PhoneBookDialog::showRow()
{
    const QTreeWidgetItem* row = m_table->currentItem();
    if (!row)
        return;
    m_number->setText(row->text(1));
    m_name->setText(row->text(2));
    m_place->setText(row->text(3));
}

void PhoneBookDialog::enter()
{
    addRow(PhoneEntry{m_number->text(), m_name->text(), m_place->text()});
    updateState();
}

void PhoneBookDialog::remove()
{
    QTreeWidgetItem* row = m_table->currentItem();
    if (!row || !m_ctx.prompter.ask(QStringLiteral("Wollen Sie den aktuellen Eintrag wirklich löschen!?"), 2))
        return;
    delete row;
    updateState();
}

void PhoneBookDialog::removeAll()
{
    if (!m_ctx.prompter.ask(QStringLiteral("Wollen Sie wirklich ALLE Einträge löschen!?"), 2))
        return;
    m_table->clear();
    updateState();
}

void PhoneBookDialog::updateState()
{
    const int rows = m_table->topLevelItemCount();
    m_count->setText(QStringLiteral("Telefonnummern (") + QString::number(rows) + QStringLiteral("):"));
    for (QPushButton* b : {m_dial, m_remove, m_removeAll, m_print})
        b->setEnabled(rows > 0);
    m_export->setEnabled(rows > 0);
}

QString PhoneBookDialog::number() const
{
    return m_number->text();
}

QList<PhoneEntry> PhoneBookDialog::entries() const
{
    QList<PhoneEntry> list;
    for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_table->topLevelItem(i);
        list.append(PhoneEntry{row->text(1), row->text(2), row->text(3)});
    }
    return list;
}

void PhoneBookDialog::done(int result)
{
    // Every way out keeps the list: "Wählen", "Beenden", the close box and Escape.
    if (!m_saved) {
        m_saved = true;
        guarded(m_ctx.errors, "Telefonbuch", 2, path(),
                [&] { PhoneBook::save(path(), entries()); });
    }
    QDialog::done(result);
}

} // namespace tarvex
