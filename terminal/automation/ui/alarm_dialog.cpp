#include "terminal/automation/ui/alarm_dialog.h"

#include "shared/app_folders.h"
#include "shared/number_text.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/automation/alarm_record.h"
#include "terminal/core/data_loader.h"
#include "terminal/core/error_report.h"
#include "terminal/core/settings_file.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::flagText;
using WidgetHelpers::named;
using WidgetHelpers::setFlag;

namespace {

const WidgetHelpers::TwipColumn kColumns[] = {
    {"Nr.", 500}, {"Status", 900}, {"Alarmgrund", 2500}, {"Wie oft?", 800}, {"Optisch", 900},
    {"Akustisch", 900}, {"Auswahl", 1500}, {"Per Email", 900}, {"Auswahl", 1500}, {"Script", 900},
    {"Auswahl", 1500}, {"InDatei", 900}, {"Auswahl", 1500}, {"Zeit Datei", 900}, {"Zeit Eintrag", 900},
    {"Alarm endet", 900}, {"Anzeige lösch.", 900}};

} // namespace

AlarmDialog::AlarmDialog(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display)
{
    setObjectName(QStringLiteral("frm18"));
    setWindowTitle(QStringLiteral("Alarmierungen"));
    buildControls();
    KundeSettings& s = m_ctx.state.settings;
    WidgetHelpers::placeWindow(this, {s.alarmX, s.alarmY, s.alarmB, s.alarmH}, QSize(980, 620), parent);
    load();
}

void AlarmDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    m_frame = named(new QGroupBox(this), "frm18_frRahmen1");
    auto* frameLayout = new QVBoxLayout(m_frame);
    m_table = named(new QTreeWidget(m_frame), "frm18_lvTabelle");
    m_table->setRootIsDecorated(false);
    m_table->setAllColumnsShowFocus(true);
    WidgetHelpers::setTwipColumns(m_table, kColumns);
    connect(m_table, &QTreeWidget::currentItemChanged, this, [this] { showRow(); });
    frameLayout->addWidget(m_table);
    layout->addWidget(m_frame, 1);

    auto* edit = new QGridLayout;
    m_status = named(new QCheckBox(QStringLiteral("Alarm aktiv"), this), "frm18_chkStatus");
    m_status->setChecked(true);
    m_text = named(new QLineEdit(this), "frm18_edGrund");
    m_threshold = named(new QLineEdit(QStringLiteral("1"), this), "frm18_edWieOft");
    m_threshold->setMaximumWidth(60);
    edit->addWidget(m_status, 0, 0);
    edit->addWidget(new QLabel(QStringLiteral("Alarmgrund:"), this), 0, 1);
    edit->addWidget(m_text, 0, 2, 1, 3);
    edit->addWidget(new QLabel(QStringLiteral("Wie oft?"), this), 0, 5);
    edit->addWidget(m_threshold, 0, 6);

    m_box = named(new QCheckBox(QStringLiteral("Optisch"), this), "frm18_chkOptisch");
    m_sound = named(new QCheckBox(QStringLiteral("Akustisch"), this), "frm18_chkAkustisch");
    m_soundFile = named(new QLineEdit(this), "frm18_edAkustisch");
    m_soundBrowse = named(new QPushButton(QStringLiteral("..."), this), "frm18_cmdAkustisch");
    m_mail = named(new QCheckBox(QStringLiteral("Per Email"), this), "frm18_chkPerMail");
    m_recipient = named(new QLineEdit(this), "frm18_edPerMail");
    m_script = named(new QCheckBox(QStringLiteral("Script"), this), "frm18_chkScript");
    m_scriptEntry = named(new QComboBox(this), "frm18_cbScript");
    m_scriptEntry->addItems(m_ctx.state.scripts.barItems());
    m_file = named(new QCheckBox(QStringLiteral("InDatei"), this), "frm18_chkInDatei");
    m_filePath = named(new QLineEdit(this), "frm18_edInDatei");
    m_fileBrowse = named(new QPushButton(QStringLiteral("..."), this), "frm18_cmdInDatei");
    m_dateInName = named(new QCheckBox(QStringLiteral("Zeit Datei"), this), "frm18_chkZeitDatei");
    m_dateInLine = named(new QCheckBox(QStringLiteral("Zeit Eintrag"), this), "frm18_chkZeitEintrag");
    m_wholeLine = named(new QCheckBox(QStringLiteral("Alarm endet"), this), "frm18_chkReturn");
    m_wholeLine->setToolTip(QStringLiteral("Die ganze Zeile muss dem Alarmgrund entsprechen"));
    m_clear = named(new QCheckBox(QStringLiteral("Anzeige löschen"), this), "frm18_chkLoeschen");
    edit->addWidget(m_box, 1, 0);
    edit->addWidget(m_sound, 2, 0);
    edit->addWidget(m_soundFile, 2, 1, 1, 3);
    edit->addWidget(m_soundBrowse, 2, 4);
    edit->addWidget(m_mail, 3, 0);
    edit->addWidget(m_recipient, 3, 1, 1, 3);
    edit->addWidget(m_script, 4, 0);
    edit->addWidget(m_scriptEntry, 4, 1, 1, 3);
    edit->addWidget(m_file, 5, 0);
    edit->addWidget(m_filePath, 5, 1, 1, 3);
    edit->addWidget(m_fileBrowse, 5, 4);
    edit->addWidget(m_dateInName, 6, 1);
    edit->addWidget(m_dateInLine, 6, 2);
    edit->addWidget(m_wholeLine, 1, 1);
    edit->addWidget(m_clear, 1, 2);
    layout->addLayout(edit);

    auto* buttons = new QHBoxLayout;
    m_enter = named(new QPushButton(QStringLiteral("Eintragen"), this), "frm18_cmdEintragen");
    m_remove = named(new QPushButton(QStringLiteral("Löschen"), this), "frm18_cmdLöschen");
    m_removeAll = named(new QPushButton(QStringLiteral("Alle löschen"), this), "frm18_cmdAlleLöschen");
    m_print = named(new QPushButton(QStringLiteral("Drucken"), this), "frm18_cmdDrucken");
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "frm18_cmdOK");
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm18_cmdAbbrechen");
    for (QPushButton* b : {m_enter, m_remove, m_removeAll, m_print})
        buttons->addWidget(b);
    m_export = new ExportButtons(m_ctx, QStringLiteral("frm18"), m_table, this);
    m_export->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm18"), [this] { m_ctx.help.open(HelpKeyword::Alarme); }));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    ok->setAutoDefault(false);
    m_enter->setAutoDefault(false);

    for (QCheckBox* box : {m_sound, m_mail, m_script, m_file})
        connect(box, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(m_text, &QLineEdit::textChanged, this, [this] { updateEnabled(); });
    connect(m_threshold, &QLineEdit::editingFinished, this, [this] {
        if (leadingInt(m_threshold->text()) < 1)
            m_threshold->setText(QStringLiteral("1"));
    });
    connect(m_soundBrowse, &QPushButton::clicked, this, [this] { browse(m_soundFile, true); });
    connect(m_fileBrowse, &QPushButton::clicked, this, [this] { browse(m_filePath, false); });
    connect(m_enter, &QPushButton::clicked, this, &AlarmDialog::enter);
    connect(m_remove, &QPushButton::clicked, this, &AlarmDialog::removeSelected);
    connect(m_removeAll, &QPushButton::clicked, this, &AlarmDialog::removeAll);
    connect(m_print, &QPushButton::clicked, this, &AlarmDialog::print);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void AlarmDialog::load()
{
    const QString file = AppFolders::findCaseInsensitive(m_ctx.state.folders.configDir()
                                                         + QStringLiteral("Alarmierungen.dat"));
    // A missing file opens an empty list.
    if (QFileInfo(file).isFile()) {
        guarded(m_ctx.errors, "Alarmierungen", 1, file, [&] {
            for (const QString& line : TextFile::readLines(file)) {
                if (!line.isEmpty())
                    addRow(AlarmRecord::fields(line));
            }
        });
    }
    if (m_table->topLevelItemCount() > 0)
        m_table->setCurrentItem(m_table->topLevelItem(0));
    updateCaption("Alarme");
    updateEnabled();
}

void AlarmDialog::addRow(const QStringList& values)
{
    QStringList cells{QStringLiteral("%1").arg(m_table->topLevelItemCount() + 1, 4, 10, QLatin1Char('0'))};
    cells += values;
    m_table->addTopLevelItem(new QTreeWidgetItem(cells));
}

void AlarmDialog::updateCaption(const char* word)
{
    m_frame->setTitle(QStringLiteral("Anzeige ") + QString::fromUtf8(word) + QStringLiteral(" (")
                      + QString::number(m_table->topLevelItemCount()) + QStringLiteral("):"));
}

void AlarmDialog::showRow()
{
    const QTreeWidgetItem* row = m_table->currentItem();
    if (!row)
        return;
    const auto value = [row](int field) { return row->text(field); };
    setFlag(m_status, value(1));
    m_text->setText(value(2));
    m_threshold->setText(value(3));
    setFlag(m_box, value(4));
    setFlag(m_sound, value(5));
    m_soundFile->setText(value(6));
    setFlag(m_mail, value(7));
    m_recipient->setText(value(8));
    setFlag(m_script, value(9));
    // A script the current group does not hold is still shown as stored.
    if (m_scriptEntry->findText(value(10)) < 0 && !value(10).isEmpty())
        m_scriptEntry->addItem(value(10));
    m_scriptEntry->setCurrentIndex(m_scriptEntry->findText(value(10)));
    setFlag(m_file, value(11));
    m_filePath->setText(value(12));
    setFlag(m_dateInName, value(13));
    setFlag(m_dateInLine, value(14));
    setFlag(m_wholeLine, value(15));
    setFlag(m_clear, value(16));
    updateEnabled();
}

void AlarmDialog::updateEnabled()
{
    m_soundFile->setEnabled(m_sound->isChecked());
    m_soundBrowse->setEnabled(m_sound->isChecked());
    m_recipient->setEnabled(m_mail->isChecked());
    m_scriptEntry->setEnabled(m_script->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{m_filePath, m_fileBrowse, m_dateInName, m_dateInLine})
        w->setEnabled(m_file->isChecked());
    m_enter->setEnabled(!m_text->text().isEmpty());
    const bool rows = m_table->topLevelItemCount() > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{m_remove, m_removeAll, m_print})
        w->setEnabled(rows);
    m_export->setEnabled(rows);
}

QStringList AlarmDialog::values() const
{
    return {flagText(m_status),      m_text->text(),          m_threshold->text(),  flagText(m_box),
            flagText(m_sound),       m_soundFile->text(),     flagText(m_mail),     m_recipient->text(),
            flagText(m_script),      m_scriptEntry->currentText(), flagText(m_file), m_filePath->text(),
            flagText(m_dateInName),  flagText(m_dateInLine),  flagText(m_wholeLine), flagText(m_clear)};
}

void AlarmDialog::enter()
{
    if (m_text->text().isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Sie müssen für den Alarmierungsgrund einen Text angeben,\r"
                                              "der zur Auslösung eines Alarms führen soll."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        m_text->setFocus();
        return;
    }
    if (leadingInt(m_threshold->text()) < 1)
        m_threshold->setText(QStringLiteral("1"));
    const QStringList v = values();
    for (const QString& value : v) {
        if (!AlarmRecord::storable(value)) {
            // The file keeps one definition per line with "|" between the fields.
            m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                                   QStringLiteral("Das Zeichen \"|\" und Zeilenumbrüche können in einem Alarm nicht "
                                                  "gespeichert werden:\r\r")
                                       + value,
                                   BoxButtons::Ok, BoxIcon::Exclamation);
            return;
        }
    }
    addRow(v);
    m_table->setCurrentItem(m_table->topLevelItem(m_table->topLevelItemCount() - 1));
    updateCaption("Alarm");
    updateEnabled();
}

void AlarmDialog::removeSelected()
{
    QTreeWidgetItem* row = m_table->currentItem();
    if (!row || !m_ctx.prompter.ask(QStringLiteral("Wollen Sie den aktuellen Alarm wirklich löschen!?"), 2))
        return;
    delete row;
    updateCaption("Alarme");
    updateEnabled();
}

void AlarmDialog::removeAll()
{
    if (!m_ctx.prompter.ask(QStringLiteral("Wollen Sie wirklich ALLE Alarme löschen!?"), 2))
        return;
    m_table->clear();
    updateCaption("Alarme");
    updateEnabled();
}

void AlarmDialog::print()
{
    m_display.printList(QStringLiteral("Alarmierungen"), m_table);
}

bool AlarmDialog::save()
{
    const QString file = AppFolders::findCaseInsensitive(m_ctx.state.folders.configDir()
                                                         + QStringLiteral("Alarmierungen.dat"));
    const bool written = guarded(m_ctx.errors, "Alarmierungen", 2, file, [&] {
        QStringList lines;
        for (const QStringList& row : WidgetHelpers::rowTexts(m_table))
            lines << AlarmRecord::line(row.mid(1));
        TextFile::writeLinesAtomic(file, lines);
    });
    if (!written)
        return false;
    // Every counter starts again at 0, also those of unchanged alarms.
    m_ctx.loader.DatenIn(1, 1, file);
    m_ctx.settingsFile.IniDateien(2);
    return true;
}

void AlarmDialog::browse(QLineEdit* field, bool sound)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.startDir = field->text().isEmpty() ? m_ctx.state.folders.dataDir() : QFileInfo(field->text()).absolutePath();
    if (sound) {
        request.title = QStringLiteral("Bitte Musikdatei (WAV) auswählen:");
        request.filter = QStringLiteral("WAV Dateien|*.wav");
        request.defaultExtension = QStringLiteral("wav");
    } else {
        request.title = QStringLiteral("Bitte Textkdatei (TXT) angeben:");
        request.filter = QStringLiteral("Textdateien|*.txt");
        // The file the lines go to may not exist yet.
        request.mayNotExist = true;
    }
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (!chosen.isEmpty() && !chosen.first().isEmpty())
        field->setText(chosen.first());
}

void AlarmDialog::done(int result)
{
    KundeSettings& s = m_ctx.state.settings;
    WidgetHelpers::rememberPlace(this, {s.alarmX, s.alarmY, s.alarmB, s.alarmH});
    QDialog::done(result);
}

} // namespace tarvex
