#include "terminal/core/ui/function_bar_dialog.h"

#include "shared/daten_pipe.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/ui/tool_bar.h"
#include "terminal/core/help_keywords.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

constexpr int kFirstMenuFunction = 100;

QString withoutAccelerator(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

} // namespace

QList<std::pair<int, QString>> FunctionBarDialog::menuFunctions(const QStringList& menuTable)
{
    QList<std::pair<int, QString>> items;
    // Slot 0 is the file's title line.
    for (qsizetype i = 1; i < menuTable.size(); ++i) {
        const QString& record = menuTable.at(i);
        if (record.trimmed().isEmpty())
            break;
        const int kind = DatenPipe(1, record).trimmed().toInt();
        if (kind >= 1 && kind <= 99)
            continue; // submenus and separators
        const int number = DatenPipe(3, record).trimmed().toInt();
        if (number < kFirstMenuFunction)
            continue;
        items.append({number, QStringLiteral("%1  ").arg(number, 3, 10, QLatin1Char('0')) +
                                  withoutAccelerator(DatenPipe(2, record))});
    }
    return items;
}

FunctionBarDialog::FunctionBarDialog(TerminalContext& context, QWidget* parent) : QDialog(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frm27"));
    setWindowTitle(QStringLiteral("Funktionsleiste"));
    m_buttons = functionButtons(m_ctx.state.settings.fLeisteTasten);

    m_images = named(new QListWidget(this), "frm27_lvSymbole");
    m_images->setViewMode(QListView::IconMode);
    m_images->setFlow(QListView::LeftToRight);
    m_images->setWrapping(false);
    m_images->setIconSize(QSize(24, 24));
    m_images->setGridSize(QSize(30, 32));
    m_images->setMovement(QListView::Static);
    m_images->setFixedHeight(42);
    m_images->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < FunctionButton::kImages; ++i)
        m_images->addItem(new QListWidgetItem(ToolBar::image(i), QString()));
    m_images->setCurrentRow(0);

    m_optFunction = named(new QRadioButton(QStringLiteral("Menüfunktion"), this), "frm27_opt1");
    m_optScript = named(new QRadioButton(QStringLiteral("Script"), this), "frm27_opt2");
    m_optCharacters = named(new QRadioButton(QStringLiteral("Zeichenfolge senden"), this), "frm27_opt3");
    m_functions = named(new QComboBox(this), "frm27_cbMenue");
    for (const auto& [number, text] : menuFunctions(m_ctx.state.menu.lines()))
        m_functions->addItem(text, number);
    m_scripts = named(new QComboBox(this), "frm27_cbScript");
    m_scripts->addItems(m_ctx.state.scripts.barItems());
    m_characters = named(new QLineEdit(this), "frm27_edZeichen");
    m_characters->setToolTip(QStringLiteral("Text wie eingegeben; <Zahl> sendet das Zeichen mit diesem Code, z.B. <13> für Return"));
    for (QRadioButton* o : {m_optFunction, m_optScript, m_optCharacters})
        connect(o, &QRadioButton::toggled, this, &FunctionBarDialog::chooseKind);
    m_optFunction->setChecked(true);

    auto* choice = new QGroupBox(QStringLiteral("Neue Schaltfläche"), this);
    auto* grid = new QGridLayout(choice);
    grid->addWidget(new QLabel(QStringLiteral("Symbol:"), choice), 0, 0);
    grid->addWidget(m_images, 0, 1);
    grid->addWidget(m_optFunction, 1, 0);
    grid->addWidget(m_functions, 1, 1);
    grid->addWidget(m_optScript, 2, 0);
    grid->addWidget(m_scripts, 2, 1);
    grid->addWidget(m_optCharacters, 3, 0);
    grid->addWidget(m_characters, 3, 1);

    m_list = named(new QListWidget(this), "frm27_lvFunktion");
    auto* add = named(new QPushButton(QStringLiteral("Eintragen"), this), "frm27_cmdEintragen");
    auto* remove = named(new QPushButton(QStringLiteral("Löschen"), this), "frm27_cmdLoeschen");
    auto* reset = named(new QPushButton(QStringLiteral("Zurücksetzen"), this), "frm27_cmdReset");
    connect(add, &QPushButton::clicked, this, &FunctionBarDialog::frm27_cmdEintragen_Click);
    connect(remove, &QPushButton::clicked, this, &FunctionBarDialog::frm27_cmdLoeschen_Click);
    connect(reset, &QPushButton::clicked, this, &FunctionBarDialog::frm27_cmdReset_Click);
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(add);
    listButtons->addWidget(remove);
    listButtons->addWidget(reset);
    listButtons->addStretch();
    listButtons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm27"), [this] { m_ctx.help.open(HelpKeyword::Funktionsleiste); }));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(listButtons);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(box->button(QDialogButtonBox::Ok), "frm27_cmdOK");
    named(box->button(QDialogButtonBox::Cancel), "frm27_cmdAbbrechen")->setText(QStringLiteral("Abbrechen"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice);
    layout->addWidget(new QLabel(QStringLiteral("Eigene Schaltflächen der Funktionsleiste:"), this));
    layout->addLayout(listRow, 1);
    layout->addWidget(box);
    resize(600, 420);
    fillButtonList();
}

void FunctionBarDialog::chooseKind()
{
    m_functions->setEnabled(m_optFunction->isChecked());
    m_scripts->setEnabled(m_optScript->isChecked());
    m_characters->setEnabled(m_optCharacters->isChecked());
}

QString FunctionBarDialog::label(const FunctionButton& b) const
{
    switch (b.kind) {
    case FunctionButton::Kind::Function: {
        const int i = m_functions->findData(b.function());
        return i >= 0 ? m_functions->itemText(i) : QStringLiteral("%1  Funktion").arg(b.function(), 3, 10, QLatin1Char('0'));
    }
    case FunctionButton::Kind::Script: {
        const QString number = QStringLiteral("%1").arg(b.scriptSlot(), 2, 10, QLatin1Char('0'));
        for (int i = 0; i < m_scripts->count(); ++i) {
            if (m_scripts->itemText(i).startsWith(number + QLatin1Char(' ')))
                return QStringLiteral("Script ") + m_scripts->itemText(i);
        }
        return QStringLiteral("Script ") + number;
    }
    case FunctionButton::Kind::Characters:
        return QStringLiteral("Senden: ") + b.value;
    }
    return {};
}

void FunctionBarDialog::fillButtonList()
{
    m_list->clear();
    for (const FunctionButton& b : std::as_const(m_buttons))
        m_list->addItem(new QListWidgetItem(ToolBar::image(b.image), label(b)));
}

void FunctionBarDialog::frm27_cmdEintragen_Click()
{
    if (m_buttons.size() >= FunctionButton::kMaxButtons) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Die Funktionsleiste hat schon %1 eigene Schaltflächen.").arg(FunctionButton::kMaxButtons),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    FunctionButton b;
    b.image = qMax(0, m_images->currentRow());
    if (m_optFunction->isChecked()) {
        if (m_functions->currentIndex() < 0)
            return;
        b.kind = FunctionButton::Kind::Function;
        b.value = QString::number(m_functions->currentData().toInt());
    } else if (m_optScript->isChecked()) {
        if (m_scripts->currentIndex() < 0)
            return;
        b.kind = FunctionButton::Kind::Script;
        b.value = QString::number(m_scripts->currentText().left(2).toInt());
    } else {
        if (m_characters->text().isEmpty())
            return;
        b.kind = FunctionButton::Kind::Characters;
        b.value = m_characters->text();
    }
    m_buttons.append(b);
    fillButtonList();
    m_list->setCurrentRow(int(m_buttons.size()) - 1);
}

void FunctionBarDialog::frm27_cmdLoeschen_Click()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_buttons.size())
        return;
    m_buttons.removeAt(row);
    fillButtonList();
}

void FunctionBarDialog::frm27_cmdReset_Click()
{
    const BoxAnswer a = m_ctx.prompter.message(QStringLiteral("Sicherheitsabfrage"),
                                               QStringLiteral("Soll die Funktionsleiste zurückgesetzt werden!?"),
                                               BoxButtons::YesNo, BoxIcon::Critical, 2);
    if (a != BoxAnswer::Yes)
        return;
    m_buttons.clear();
    fillButtonList();
}

void FunctionBarDialog::accept()
{
    m_ctx.state.settings.fLeisteTasten = functionButtonSlots(m_buttons);
    m_ctx.settingsFile.IniDateien(2);
    QDialog::accept();
}

} // namespace tarvex
