#include "terminal/script/ui/script_management_dialog.h"

#include "shared/cp1252.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/script/script_commands.h"
#include "terminal/script/script_file.h"
#include "terminal/script/script_record.h"
#include "terminal/script/script_slots.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

// Shows an item of the slot list as number and name; the record that follows far to the
// right in the item's text stays out of sight (and out of the width the list scrolls to).
class SlotDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale&) const override
    {
        return ScriptSlots::shownText(value.toString());
    }
};

QString groupFileName(const QString& remembered)
{
    const qsizetype colon = remembered.indexOf(QStringLiteral(": "));
    const QString path = colon >= 0 ? remembered.mid(colon + 2) : remembered;
    return path.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
}

} // namespace

ScriptManagementDialog::ScriptManagementDialog(TerminalContext& context, DisplayActions& display,
                                               const QString& selectedItem, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display), m_overview(ScriptCommands::overview())
{
    setObjectName(QStringLiteral("frm13"));
    setWindowTitle(QStringLiteral("Scriptverwaltung"));
    setModal(false);

    auto* main = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_count = named(new QLabel(this), "frm13_lbl1");
    left->addWidget(m_count);
    m_list = named(new QListWidget(this), "frm13_lbAnzeige");
    m_list->setItemDelegate(new SlotDelegate(m_list));
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setUniformItemSizes(true);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    left->addWidget(m_list, 1);
    auto* group = named(new QLabel(this), "frm13_lblGruppe");
    const QString remembered = m_ctx.state.settings.scriptGrp;
    group->setText(QStringLiteral("Aktuelle Gruppe: ") + groupFileName(remembered));
    group->setToolTip(remembered);
    left->addWidget(group);
    main->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    auto* grid = new QGridLayout;
    m_nameCaption = named(new QLabel(this), "frm13_lbl10");
    m_name = named(new QLineEdit(this), "frm13_edBezeichnung");
    m_commands = named(new QLineEdit(this), "frm13_edBefehle");
    m_editButton = named(new QPushButton(QStringLiteral("Editieren"), this), "frm13_cmdEditieren");
    m_editButton->setToolTip(QStringLiteral("Befehle im Scripteditor bearbeiten"));
    m_editButton->hide();
    grid->addWidget(m_nameCaption, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Befehle:"), this), 1, 0);
    grid->addWidget(m_commands, 1, 1);
    grid->addWidget(m_editButton, 1, 2);
    right->addLayout(grid);

    m_noQuestion = named(new QCheckBox(QStringLiteral("Script ohne Abfrage starten"), this), "frm13_chk1");
    m_cr = named(new QCheckBox(QStringLiteral("Return (CR) an jede Zeile anhängen"), this), "frm13_chk2");
    m_lf = named(new QCheckBox(QStringLiteral("LineFeed (LF) an jede Zeile anhängen"), this), "frm13_chk3");
    m_waitAck = named(new QCheckBox(QStringLiteral("Auf Quittung warten, Zeichen (ASCII):"), this), "frm13_chk4");
    m_ackCode = named(new QLineEdit(this), "frm13_edQuittung");
    m_timeout = named(new QCheckBox(QStringLiteral("Längste Wartezeit (Sek.):"), this), "frm13_chk5");
    m_timeoutSeconds = named(new QLineEdit(this), "frm13_edWartezeit");
    right->addWidget(m_noQuestion);
    right->addWidget(m_cr);
    right->addWidget(m_lf);
    auto* options = new QGridLayout;
    options->addWidget(m_waitAck, 0, 0);
    options->addWidget(m_ackCode, 0, 1);
    options->addWidget(m_timeout, 1, 0);
    options->addWidget(m_timeoutSeconds, 1, 1);
    options->setColumnStretch(2, 1);
    right->addLayout(options);
    // The key filter keeps typed letters out; the validator keeps pasted ones out too.
    auto* numeric = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9./]*")), this);
    for (QLineEdit* field : {m_ackCode, m_timeoutSeconds}) {
        field->setValidator(numeric);
        field->setMaximumWidth(80);
        field->installEventFilter(this);
    }
    m_commands->installEventFilter(this);

    auto* hint = named(new QPlainTextEdit(this), "frm13_edHinweis");
    hint->setReadOnly(true);
    hint->setLineWrapMode(QPlainTextEdit::NoWrap);
    hint->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    hint->setPlainText(QString(m_overview).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    right->addWidget(hint, 1);

    auto* buttons = new QGridLayout;
    m_enter = named(new QPushButton(QStringLiteral("Eintragen"), this), "frm13_cmdEintragen");
    m_remove = named(new QPushButton(QStringLiteral("Löschen"), this), "frm13_cmdLöschen");
    auto* sortButton = named(new QPushButton(QStringLiteral("Sortieren"), this), "frm13_cmdSortieren");
    auto* viewButton = named(new QPushButton(QStringLiteral("Ansehen"), this), "frm13_cmdAnsehen");
    viewButton->setToolTip(QStringLiteral("Befehlsübersicht im Editor anzeigen"));
    auto* printButton = named(new QPushButton(QStringLiteral("Drucken"), this), "frm13_cmdDrucken");
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "frm13_cmdOK");
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm13_cmdAbbrechen");
    const QList<QPushButton*> all{m_enter, m_remove, sortButton, m_editButton, viewButton, printButton, ok, cancel};
    for (QPushButton* b : all)
        b->setAutoDefault(false);
    buttons->addWidget(m_enter, 0, 0);
    buttons->addWidget(m_remove, 0, 1);
    buttons->addWidget(sortButton, 0, 2);
    buttons->addWidget(viewButton, 1, 0);
    buttons->addWidget(printButton, 1, 1);
    auto* ascii = named(new QPushButton(QStringLiteral("ASCII..."), this), "frm13_cmdAscii");
    ascii->setToolTip(QStringLiteral("Zeichentabelle zeigen"));
    ascii->setAutoDefault(false);
    connect(ascii, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(Fn::InfoAscii); });
    buttons->addWidget(ascii, 2, 0);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm13"), [this] { m_ctx.help.open(HelpKeyword::Scriptverwaltung); }), 2, 1);
    auto* info = named(new QPushButton(QStringLiteral("&Info"), this), "frm13_cmdInfo");
    info->setToolTip(QStringLiteral("Hilfe zu Scriptbefehlen und Platzhaltern"));
    info->setAutoDefault(false);
    connect(info, &QPushButton::clicked, this, [this] { m_ctx.help.open(HelpKeyword::ScriptBefehle); });
    buttons->addWidget(info, 2, 2);
    auto* exportButtons = new ExportButtons(m_ctx, QStringLiteral("frm13"), [this] { return ExportContent::columns(rows()); }, this);
    exportButtons->dropEdit();
    exportButtons->exportButton()->setAutoDefault(false);
    buttons->addWidget(exportButtons->exportButton(), 1, 2);
    buttons->addWidget(ok, 3, 0);
    buttons->addWidget(cancel, 3, 2);
    right->addLayout(buttons);
    main->addLayout(right, 2);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { loadSelected(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { edit(); });
    connect(m_waitAck, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(m_timeout, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(m_enter, &QPushButton::clicked, this, [this] { enter(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { remove(); });
    connect(sortButton, &QPushButton::clicked, this, [this] { sortSlots(); });
    connect(m_editButton, &QPushButton::clicked, this, [this] { edit(); });
    connect(viewButton, &QPushButton::clicked, this, [this] { showOverview(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(ok, &QPushButton::clicked, this, [this] { store(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(960, 620);
    if (parent)
        move(parent->geometry().topLeft() + QPoint(40, 60));

    m_ctx.view.setBusyCursor(true);
    const QStringList items = ScriptSlots::itemsOf(m_ctx.state.scripts);
    int current = 0;
    for (int i = 0; i < items.size(); ++i) {
        const QString record = ScriptSlots::recordOf(items.at(i));
        if (!selectedItem.isEmpty() && !record.isEmpty()
            && QStringLiteral("%1 ").arg(i + 1, 2, 10, QLatin1Char('0')) + ScriptFields::fromRecord(record).name
                   == selectedItem)
            current = i;
    }
    fillList(items, current);
    m_ctx.view.setBusyCursor(false);
}

void ScriptManagementDialog::setEditor(Editor editor)
{
    m_editor = std::move(editor);
    m_editButton->setVisible(bool(m_editor));
}

QStringList ScriptManagementDialog::items() const
{
    QStringList texts;
    for (int i = 0; i < m_list->count(); ++i)
        texts << m_list->item(i)->text();
    return texts;
}

int ScriptManagementDialog::selectedSlot() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? ScriptSlots::slotOf(item->text()) : 0;
}

void ScriptManagementDialog::fillList(const QStringList& items, int current)
{
    m_list->clear();
    m_list->addItems(items);
    updateCount();
    m_list->setCurrentRow(current);
    m_list->scrollToItem(m_list->currentItem());
}

void ScriptManagementDialog::updateCount()
{
    m_count->setText(QStringLiteral("Scriptliste (Eingerichtete Scripts: ") + QString::number(ScriptSlots::usedSlots(items()))
                     + QStringLiteral("):"));
}

void ScriptManagementDialog::loadSelected()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    const QString record = ScriptSlots::recordOf(item->text());
    // A free slot offers the fields of a new script.
    const ScriptFields f = ScriptFields::fromRecord(record.isEmpty() ? ScriptRecord::kNewRecord : record);
    m_nameCaption->setText(QStringLiteral("Scriptbezeichnung (") + QString::number(ScriptSlots::slotOf(item->text()))
                           + QLatin1Char(')'));
    m_name->setText(f.name);
    m_commands->setText(f.commands);
    m_noQuestion->setChecked(f.noQuestion);
    m_cr->setChecked(f.appendCr);
    m_lf->setChecked(f.appendLf);
    m_waitAck->setChecked(f.waitAck);
    m_ackCode->setText(f.ackCode);
    m_timeout->setChecked(f.timeoutFlag);
    m_timeoutSeconds->setText(f.timeoutSeconds);
    m_remove->setEnabled(!record.isEmpty());
    m_enter->setDefault(false);
    updateEnabled();
}

void ScriptManagementDialog::updateEnabled()
{
    const bool ack = m_waitAck->isChecked();
    m_ackCode->setEnabled(ack);
    m_timeout->setEnabled(ack);
    m_timeoutSeconds->setEnabled(ack && m_timeout->isChecked());
}

ScriptFields ScriptManagementDialog::fields() const
{
    ScriptFields f;
    f.name = m_name->text();
    f.commands = m_commands->text();
    f.noQuestion = m_noQuestion->isChecked();
    f.appendCr = m_cr->isChecked();
    f.appendLf = m_lf->isChecked();
    f.waitAck = m_waitAck->isChecked();
    f.ackCode = m_ackCode->text();
    f.timeoutFlag = m_timeout->isChecked();
    f.timeoutSeconds = m_timeoutSeconds->text();
    return f;
}

void ScriptManagementDialog::enter()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    const ScriptFields f = fields();
    const QString bad = ScriptSlots::unstorableField(f);
    if (!bad.isEmpty()) {
        // Scripts.ini keeps one script per line with "|" between the fields.
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Das Zeichen \"|\" und Zeilenumbrüche können in einem Script nicht "
                                              "gespeichert werden:\r\r")
                                   + bad,
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    item->setText(ScriptSlots::itemText(ScriptSlots::slotOf(item->text()), ScriptSlots::buildRecord(f)));
    updateCount();
    loadSelected();
}

void ScriptManagementDialog::remove()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    const QString record = ScriptSlots::recordOf(item->text());
    if (record.isEmpty())
        return;
    const int slot = ScriptSlots::slotOf(item->text());
    const ScriptFields f = ScriptFields::fromRecord(record);
    if (!m_ctx.prompter.ask(QStringLiteral("Soll das ") + QString::number(slot) + QStringLiteral(". Script >") + f.name
                            + QStringLiteral("< gelöscht werden?\r\rBefehle: \r") + f.commands))
        return;
    item->setText(ScriptSlots::itemText(slot, QString()));
    updateCount();
    loadSelected();
}

void ScriptManagementDialog::sortSlots()
{
    if (!m_ctx.prompter.ask(QStringLiteral("Sollen Scriptbefehle alphabetisch sortiert werden?")))
        return;
    m_ctx.view.setBusyCursor(true);
    fillList(ScriptSlots::sorted(items()), 0);
    m_ctx.view.setBusyCursor(false);
}

void ScriptManagementDialog::edit()
{
    if (!m_editor || !m_list->currentItem())
        return;
    const std::optional<QString> edited = m_editor(this, m_name->text(), m_commands->text());
    if (!edited)
        return;
    m_commands->setText(*edited);
    m_enter->setDefault(true);
    m_enter->setFocus();
}

void ScriptManagementDialog::showOverview()
{
    const QString file = m_ctx.state.folders.tempDir() + QStringLiteral("bearbeiten.txt");
    guarded(m_ctx.errors, "ScriptVerwaltung", 0, file, [&] {
        QDir().mkpath(m_ctx.state.folders.tempDir());
        TextFile::writeBytesAtomic(file, Cp1252::encode(m_overview));
        m_ctx.programs.startEditor(file);
    });
}

QList<QStringList> ScriptManagementDialog::rows() const
{
    QList<QStringList> rows;
    for (const QString& item : items()) {
        const QString record = ScriptSlots::recordOf(item);
        if (!record.isEmpty())
            rows.append({item.left(2), record});
    }
    return rows;
}

void ScriptManagementDialog::print()
{
    m_display.printTable(QStringLiteral("Scriptanzeige"), {PrintColumn{QStringLiteral("Nr.")}, PrintColumn{QStringLiteral("Script")}},
                         rows());
}

void ScriptManagementDialog::store()
{
    ScriptTable table = m_ctx.state.scripts;
    ScriptSlots::storeItems(items(), table);
    const QString path = ScriptFile::workingFile(m_ctx.state.folders);
    m_ctx.view.setBusyCursor(true);
    try {
        ScriptFile::write(path, table);
    } catch (const RuntimeError& e) {
        m_ctx.view.setBusyCursor(false);
        // Nothing is taken over: the table keeps what the file holds, the dialog keeps
        // what was entered, so the operator can try again or cancel.
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Die Scripts konnten nicht gespeichert werden:\r\r") + path
                                   + QStringLiteral("\r\r") + e.description() + QStringLiteral(" (Code: ")
                                   + QString::number(e.code())
                                   + QStringLiteral(")\r\rDie Scriptliste bleibt unverändert; die Eingaben bleiben "
                                                    "im Dialog erhalten."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    m_ctx.state.scripts = table;
    m_ctx.view.setBusyCursor(false);
    emit tableStored();
    accept();
}

bool ScriptManagementDialog::takeOverRecorded(const QStringList& lines)
{
    const QStringList texts = items();
    const int free = ScriptSlots::firstFree(texts);
    if (free < 0) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"), QStringLiteral("Kein freier Scriptplatz mehr vorhanden!"),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return false;
    }
    const int slot = free + 1;
    const QString record = ScriptSlots::recorderRecord(lines, m_ctx.clock);
    if (m_ctx.state.debugMode) {
        m_ctx.prompter.message(QStringLiteral("Scriptrecorder"),
                               QStringLiteral("Script ") + QString::number(slot) + QStringLiteral(": ") + record
                                   + QStringLiteral("\r\rBefehle: ") + ScriptFields::fromRecord(record).commands,
                               BoxButtons::Ok, BoxIcon::Information);
    }
    m_list->item(free)->setText(ScriptSlots::itemText(slot, record));
    updateCount();
    m_list->setCurrentRow(free);
    m_list->scrollToItem(m_list->currentItem());
    loadSelected();
    return true;
}

bool ScriptManagementDialog::keyAllowed(const QKeyEvent* key) const
{
    const QString text = key->text();
    if (text.size() != 1 || key->key() == Qt::Key_Delete)
        return true; // not a character: cursor and editing keys
    const ushort code = text.at(0).unicode();
    return code < 28 || (code >= 46 && code <= 57);
}

bool ScriptManagementDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ackCode || watched == m_timeoutSeconds) {
        auto* field = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::KeyPress && !keyAllowed(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (watched == m_commands && m_editor && event->type() == QEvent::MouseButtonRelease) {
        // With an editor the commands are edited there; a click on the field opens it.
        QTimer::singleShot(0, this, [this] { edit(); });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvex
