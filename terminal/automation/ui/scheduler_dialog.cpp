#include "terminal/automation/ui/scheduler_dialog.h"

#include "shared/daten_pipe.h"
#include "shared/text_file.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/automation/scheduler.h"
#include "terminal/automation/scheduler_task.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/scheduler_list.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvex {

using namespace SchedulerTask;
using WidgetHelpers::flagText;
using WidgetHelpers::named;

namespace {

const WidgetHelpers::TwipColumn kColumns[] = {
    {"Nr.", 500}, {"Status", 800}, {"Termin", 800}, {"Serie", 1500}, {"Zeitangabe", 1200},
    {"Dateiauswahl", 1500}, {"Aufgabe", 1500}, {"Kopierpfad", 2500}, {"Stempel", 800}, {"Abfrage", 800},
    {"Explorer", 800}, {"Script", 2500}};

} // namespace

SchedulerDialog::SchedulerDialog(TerminalContext& context, DisplayActions& display, Scheduler& scheduler,
                                 QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display), m_scheduler(scheduler)
{
    setObjectName(QStringLiteral("frm11"));
    setWindowTitle(QStringLiteral("Zeitplaner"));
    auto* layout = new QVBoxLayout(this);

    m_frame = named(new QGroupBox(this), "frm11_frRahmen1");
    auto* frameLayout = new QVBoxLayout(m_frame);
    m_table = named(new QTreeWidget(m_frame), "frm11_lvTabelle");
    m_table->setRootIsDecorated(false);
    m_table->setAllColumnsShowFocus(true);
    WidgetHelpers::setTwipColumns(m_table, kColumns);
    frameLayout->addWidget(m_table);
    layout->addWidget(m_frame, 1);

    auto* task = named(new QGroupBox(QStringLiteral("Task"), this), "frm11_frRahmen2");
    auto* grid = new QGridLayout(task);
    m_status = named(new QCheckBox(QStringLiteral("Aktiv"), task), "frm11_chkStatus");
    m_status->setChecked(true);
    m_time = named(new QComboBox(task), "frm11_cbTermin");
    m_time->setEditable(true);
    for (int minutes = 0; minutes < 24 * 60; minutes += 30)
        m_time->addItem(QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0')));
    m_time->setCurrentIndex(0);
    grid->addWidget(new QLabel(QStringLiteral("Termin:"), task), 0, 0);
    grid->addWidget(m_time, 0, 1);
    grid->addWidget(m_status, 0, 2, 1, 2);

    // Each option row is a group of its own: choosing a rhythm leaves the file choice as it is.
    auto* rhythmGroup = new QButtonGroup(this);
    auto* rhythms = new QHBoxLayout;
    for (int i = 0; i < rhythmNames().size(); ++i) {
        auto* option = new QRadioButton(rhythmNames().at(i), task);
        option->setObjectName(QStringLiteral("frm11_optSerie%1").arg(i + 1));
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                rhythmChosen(i + 1);
        });
        m_rhythms << option;
        rhythmGroup->addButton(option);
        rhythms->addWidget(option);
    }
    m_when = named(new QComboBox(task), "frm11_cbZeitangabe");
    grid->addWidget(new QLabel(QStringLiteral("Serie:"), task), 1, 0);
    grid->addLayout(rhythms, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Zeitangabe:"), task), 1, 2);
    grid->addWidget(m_when, 1, 3);

    m_kind = named(new QComboBox(task), "frm11_cbAufgabe");
    m_kind->addItems(kindItems());
    grid->addWidget(new QLabel(QStringLiteral("Aufgabe:"), task), 2, 0);
    grid->addWidget(m_kind, 2, 1);
    auto* fileGroup = new QButtonGroup(this);
    auto* files = new QHBoxLayout;
    for (int i = 0; i < fileChoiceNames().size(); ++i) {
        auto* option = new QRadioButton(fileChoiceNames().at(i), task);
        option->setObjectName(QStringLiteral("frm11_optDatei%1").arg(i + 1));
        m_files << option;
        fileGroup->addButton(option);
        files->addWidget(option);
    }
    m_files.first()->setChecked(true);
    grid->addWidget(new QLabel(QStringLiteral("Datei:"), task), 2, 2);
    grid->addLayout(files, 2, 3);

    m_folder = named(new QLineEdit(task), "frm11_edKopieren");
    m_folder->setToolTip(QStringLiteral("Mausklick öffnet den Zielordner im Explorer"));
    m_folder->installEventFilter(this);
    auto* choose = named(new QPushButton(QStringLiteral("..."), task), "frm11_cmdAuswahl");
    m_folderButton = choose;
    grid->addWidget(new QLabel(QStringLiteral("Kopierpfad:"), task), 3, 0);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(choose);
    grid->addLayout(folderRow, 3, 1, 1, 3);
    m_stamp = named(new QCheckBox(QStringLiteral("Datum und Zeit vor den Dateinamen"), task), "frm11_chkZeit");
    m_ask = named(new QCheckBox(QStringLiteral("Schreibgeschützte Dateien nicht löschen"), task), "frm11_chkLoeschen");
    m_explorer = named(new QCheckBox(QStringLiteral("Zielordner im Explorer öffnen"), task), "frm11_chkExplorer");
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_stamp);
    flags->addWidget(m_ask);
    flags->addWidget(m_explorer);
    flags->addStretch(1);
    grid->addLayout(flags, 4, 1, 1, 3);
    m_script = named(new QComboBox(task), "frm11_cbScript");
    m_script->addItems(m_ctx.state.scripts.barItems());
    grid->addWidget(new QLabel(QStringLiteral("Script:"), task), 5, 0);
    grid->addWidget(m_script, 5, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(task);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* text, const char* name, void (SchedulerDialog::*action)(), int number) {
        auto* b = named(new QPushButton(QString::fromUtf8(text), this), name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this,
                [this, action, number] { guarded(m_ctx.errors, "ZeitPlaner", number, QString(), [&] { (this->*action)(); }); });
        buttons->addWidget(b);
        return b;
    };
    button("Eintragen", "frm11_cmdEintragen", &SchedulerDialog::frm11_cmdEintragen_Click, 1);
    button("Löschen", "frm11_cmdLoeschen", &SchedulerDialog::frm11_cmdLoeschen_Click, 2);
    button("Alle löschen", "frm11_cmdAlleLoeschen", &SchedulerDialog::frm11_cmdAlleLoeschen_Click, 3);
    button("Manuell", "frm11_cmdManuell", &SchedulerDialog::frm11_cmdManuell_Click, 4);
    auto* log = named(new QPushButton(QStringLiteral("Logbuch"), this), "frm11_cmdLogbuch");
    log->setAutoDefault(false);
    connect(log, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(Fn::ZeitplanerProtokoll); });
    buttons->addWidget(log);
    button("Drucken", "frm11_cmdDrucken", &SchedulerDialog::frm11_cmdDrucken_Click, 5);
    (new ExportButtons(m_ctx, QStringLiteral("frm11"), m_table, this))->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm11"), [this] { m_ctx.help.open(HelpKeyword::Zeitplaner); }));
    buttons->addStretch(1);
    button("OK", "frm11_cmdOK", &SchedulerDialog::frm11_cmdOK_Click, 6);
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm11_cmdAbbrechen");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(choose, &QPushButton::clicked, this,
            [this] { guarded(m_ctx.errors, "ZeitPlaner", 7, m_folder->text(), [&] { frm11_cmdAuswahl_Click(); }); });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { kindChosen(); });

    m_rhythms.first()->setChecked(true);
    kindChosen();
    load();
    resize(1100, 600);
}

QString SchedulerDialog::taskFile() const
{
    return m_ctx.state.folders.configDir() + QStringLiteral("Zeitplaner.dat");
}

void SchedulerDialog::load()
{
    const QString file = AppFolders::findCaseInsensitive(taskFile());
    if (QFileInfo(file).isFile()) {
        for (const QString& line : TextFile::readLines(file)) {
            if (!line.isEmpty())
                addRow(fieldsOf(line));
        }
    }
    renumber();
}

void SchedulerDialog::addRow(const QStringList& fields)
{
    auto* item = new QTreeWidgetItem(m_table);
    for (int i = 0; i < fields.size(); ++i)
        item->setText(i + 1, fields.at(i));
}

void SchedulerDialog::renumber()
{
    for (int i = 0; i < m_table->topLevelItemCount(); ++i)
        m_table->topLevelItem(i)->setText(0, QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
    m_frame->setTitle(QStringLiteral("Anzeige Tasks (") + QString::number(m_table->topLevelItemCount())
                      + QStringLiteral("):"));
}

QList<QStringList> SchedulerDialog::tasks() const
{
    QList<QStringList> rows;
    for (QStringList cells : WidgetHelpers::rowTexts(m_table)) {
        cells.removeFirst();
        rows << cells;
    }
    return rows;
}

void SchedulerDialog::rhythmChosen(int rhythm)
{
    m_when->clear();
    m_when->addItems(whenEntries(rhythm));
    if (m_when->count() > 0)
        m_when->setCurrentIndex(0);
}

void SchedulerDialog::kindChosen()
{
    const int kind = m_kind->currentIndex() + 1;
    const bool fileTask = kind >= Copy && kind <= Move;
    for (QRadioButton* option : m_files)
        option->setEnabled(fileTask);
    const bool target = kind == Copy || kind == Move;
    m_folder->setEnabled(target);
    m_folderButton->setEnabled(target);
    m_stamp->setEnabled(target);
    m_explorer->setEnabled(target);
    m_ask->setEnabled(kind == Delete || kind == Move);
    m_script->setEnabled(kind == Script);
}

int SchedulerDialog::checkedOption(const QList<QRadioButton*>& options) const
{
    for (int i = 0; i < options.size(); ++i) {
        if (options.at(i)->isChecked())
            return i + 1;
    }
    return 0;
}

void SchedulerDialog::frm11_cmdEintragen_Click()
{
    const QString time = m_time->currentText();
    if (!validTime(time)) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Die Angabe Ihrer Terminzeit ist falsch.\r\rBitte korrigieren Sie Ihre Angaben."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    const int kind = m_kind->currentIndex() + 1;
    const int files = checkedOption(m_files);
    QString folder = m_folder->text();
    QString script;
    QString fileText = coded(fileChoiceNames().value(files - 1), files);
    if (kind == Copy || kind == Move) {
        if (folder.isEmpty()) {
            m_ctx.prompter.message(QStringLiteral("Task eintragen"),
                                   QStringLiteral("Sie haben keinen Zielpfad angegeben!\r\rKorrigieren Sie bitte erst Ihre Angabe."),
                                   BoxButtons::Ok, BoxIcon::Exclamation);
            return;
        }
    } else if (kind == Delete) {
        m_folder->clear();
        folder.clear();
    } else {
        fileText = coded(QStringLiteral("-"), files);
        folder.clear();
        script = m_script->currentText();
    }
    if (!m_ctx.prompter.ask(QStringLiteral("Wollen Sie den Task >") + time + QStringLiteral("< eintragen?\r\rAufgabe: ")
                            + m_kind->currentText()))
        return;
    const int rhythm = checkedOption(m_rhythms);
    const int when = m_when->count() > 0 ? m_when->currentIndex() + 1 : 0;
    addRow({flagText(m_status), time, coded(rhythmNames().value(rhythm - 1), rhythm),
            coded(when > 0 ? m_when->currentText() : QString(), when), fileText, coded(kindNames().at(kind - 1), kind),
            folder, flagText(m_stamp), flagText(m_ask), flagText(m_explorer), script});
    renumber();
}

void SchedulerDialog::frm11_cmdLoeschen_Click()
{
    QTreeWidgetItem* item = m_table->currentItem();
    if (!item || !m_ctx.prompter.ask(QStringLiteral("Wollen Sie den aktuellen Task wirklich löschen!?")))
        return;
    delete item;
    renumber();
}

void SchedulerDialog::frm11_cmdAlleLoeschen_Click()
{
    if (!m_ctx.prompter.ask(QStringLiteral("Wollen Sie wirklich ALLE Zeitplanertasks löschen!?")))
        return;
    m_table->clear();
    renumber();
}

void SchedulerDialog::frm11_cmdManuell_Click()
{
    QTreeWidgetItem* item = m_table->currentItem();
    if (!item)
        return;
    QStringList fields;
    for (int c = 1; c < m_table->columnCount(); ++c)
        fields << item->text(c);
    const QString entry = SchedulerList::entryOf(pipeRecord(fields));
    if (!m_ctx.prompter.ask(QStringLiteral("Soll der aktuelle Task wirklich ausgeführt werden!?\r\r") + entry))
        return;
    m_scheduler.ZeittaskPruefen(entry);
}

void SchedulerDialog::frm11_cmdAuswahl_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = QStringLiteral("Bitte wählen Sie einen Zielordner aus:");
    request.startDir = m_folder->text();
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (!chosen.isEmpty())
        m_folder->setText(chosen.first());
}

void SchedulerDialog::frm11_cmdDrucken_Click()
{
    m_display.printList(QStringLiteral("Zeitplaner"), m_table);
}

void SchedulerDialog::frm11_cmdOK_Click()
{
    QStringList lines;
    for (const QStringList& fields : tasks())
        lines << pipeRecord(fields);
    // A file that cannot be written is reported by the button's guard; the dialog stays open.
    TextFile::writeLinesAtomic(AppFolders::findCaseInsensitive(taskFile()), lines);
    m_scheduler.reload();
    m_ctx.settingsFile.IniDateien(2);
    accept();
}

bool SchedulerDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_folder && event->type() == QEvent::MouseButtonPress && !m_folder->text().isEmpty()) {
        guarded(m_ctx.errors, "ZeitPlaner", 8, m_folder->text(), [&] { m_ctx.programs.openFolder(m_folder->text()); });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvex
