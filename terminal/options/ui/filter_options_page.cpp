#include "terminal/options/ui/filter_options_page.h"

#include "shared/platform/prompter.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/filter_table.h"
#include "terminal/core/terminal_context.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <utility>

namespace tarvex {

using WidgetHelpers::named;

namespace {

// The characters the choice offers by name.
const std::pair<int, const char*> kNamed[] = {
    {3, "ETX"},       {2, "STX"},        {5, "ENQ"},      {6, "ACK"},     {7, "Beep"},
    {8, "Backspace"}, {9, "Tabulator"}, {10, "LineFeed"}, {13, "Return"}, {32, "Space"},
};

// Sets one option button of a group, or none.
void checkExclusive(QRadioButton* a, QRadioButton* b, bool onA, bool onB)
{
    QButtonGroup* group = a->group();
    group->setExclusive(false);
    a->setChecked(onA);
    b->setChecked(onB && !onA);
    group->setExclusive(true);
}

} // namespace

FilterOptionsPage::FilterOptionsPage(TerminalContext& context, QWidget* parent)
    : OptionPage(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frm10"));
    auto* outer = new QVBoxLayout(this);

    auto* filterBox = new QGroupBox(QStringLiteral("Filterzeichen"), this);
    auto* grid = new QGridLayout(filterBox);
    m_choice = named(new QComboBox(filterBox), "frm10_cbFilterZ");
    m_choice->setEditable(true);
    m_choice->setToolTip(QStringLiteral("Zeichen aus der Liste wählen oder Zeichencode (0 bis 255) eingeben"));
    for (const auto& [code, name] : kNamed)
        m_choice->addItem(QString::fromUtf8(name), code);
    m_chosen = named(new QLabel(filterBox), "frm10_lblFilterZ");
    auto* add = named(new QPushButton(QStringLiteral("Eintragen"), filterBox), "frm10_cmdEintragen");
    auto* remove = named(new QPushButton(QStringLiteral("Löschen"), filterBox), "frm10_cmdLöschen");
    add->setToolTip(QStringLiteral("Gewähltes Zeichen in die Filterliste eintragen"));
    remove->setToolTip(QStringLiteral("Markiertes Zeichen aus der Filterliste löschen"));
    m_list = named(new QListWidget(filterBox), "frm10_lbFilterZ");
    m_list->setMaximumHeight(110);
    m_filter = named(new QCheckBox(QStringLiteral("Filter aktiv"), filterBox), "frm10_chkFilter");
    grid->addWidget(m_choice, 0, 0);
    grid->addWidget(add, 0, 1);
    grid->addWidget(m_chosen, 1, 0, 1, 2);
    grid->addWidget(m_list, 2, 0, 2, 1);
    grid->addWidget(remove, 2, 1, Qt::AlignTop);
    auto* symbol = named(new QPushButton(QStringLiteral("ASCII..."), filterBox), "frm10_cmdSymbol");
    symbol->setToolTip(QStringLiteral("Zeichentabelle zeigen"));
    connect(symbol, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(Fn::InfoAscii); });
    grid->addWidget(symbol, 3, 1, Qt::AlignTop);
    grid->addWidget(m_filter, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    outer->addWidget(filterBox);

    auto* convBox = new QGroupBox(QStringLiteral("Umwandlungen"), this);
    auto* conv = new QGridLayout(convBox);
    m_convert = named(new QCheckBox(QStringLiteral("Zeichensatz umwandeln"), convBox), "frm10_chkKonvert");
    m_ansiOem = named(new QRadioButton(QStringLiteral("ANSI nach OEM"), convBox), "frm10_optAnsiOem");
    m_oemAnsi = named(new QRadioButton(QStringLiteral("OEM nach ANSI"), convBox), "frm10_optOemAnsi");
    auto* direction = new QButtonGroup(convBox);
    direction->addButton(m_ansiOem);
    direction->addButton(m_oemAnsi);
    m_upper = named(new QCheckBox(QStringLiteral("Alles in Großbuchstaben"), convBox), "frm10_chkAllesGr");
    m_lower = named(new QCheckBox(QStringLiteral("Alles in Kleinbuchstaben"), convBox), "frm10_chkAllesKl");
    conv->addWidget(m_convert, 0, 0);
    conv->addWidget(m_ansiOem, 0, 1);
    conv->addWidget(m_oemAnsi, 0, 2);
    conv->addWidget(m_upper, 1, 0);
    conv->addWidget(m_lower, 2, 0);
    outer->addWidget(convBox);
    outer->addStretch(1);

    connect(m_choice, &QComboBox::currentTextChanged, this, &FilterOptionsPage::showChosen);
    connect(add, &QPushButton::clicked, this, &FilterOptionsPage::frm10_cmdEintragen_Click);
    connect(remove, &QPushButton::clicked, this, &FilterOptionsPage::frm10_cmdLoeschen_Click);
    showChosen();
}

QString FilterOptionsPage::characterName(int code)
{
    for (const auto& [c, name] : kNamed) {
        if (c == code)
            return QString::fromUtf8(name);
    }
    return QString::number(code);
}

void FilterOptionsPage::load(const KundeSettings& s)
{
    m_codes = FilterTable::fromSetting(s.filterZ).codes();
    showList();
    m_filter->setChecked(s.filter);
    m_convert->setChecked(s.konvert);
    checkExclusive(m_ansiOem, m_oemAnsi, s.ansiOem, s.oemAnsi);
    m_upper->setChecked(s.allesGr);
    m_lower->setChecked(s.allesKl);
}

void FilterOptionsPage::apply(KundeSettings& s) const
{
    FilterTable table;
    for (int c : m_codes)
        table.add(c);
    s.filterZ = table.toSetting();
    s.filter = m_filter->isChecked();
    s.konvert = m_convert->isChecked();
    s.ansiOem = m_ansiOem->isChecked();
    s.oemAnsi = m_oemAnsi->isChecked();
    s.allesGr = m_upper->isChecked();
    s.allesKl = m_lower->isChecked();
}

int FilterOptionsPage::chosenCode() const
{
    const QString text = m_choice->currentText().trimmed();
    for (const auto& [code, name] : kNamed) {
        if (text.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0)
            return code;
    }
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    if (!digits.match(text).hasMatch())
        return -1;
    const int code = text.toInt();
    return code <= 255 ? code : -1;
}

void FilterOptionsPage::showChosen()
{
    const int code = chosenCode();
    m_chosen->setText(QStringLiteral("Aktuelles Filterzeichen : ") + (code < 0 ? QString() : characterName(code)));
}

void FilterOptionsPage::showList()
{
    m_list->clear();
    for (int c : m_codes) {
        auto* item = new QListWidgetItem(QStringLiteral("%1  %2").arg(c, 3).arg(characterName(c)), m_list);
        item->setData(Qt::UserRole, c);
    }
}

void FilterOptionsPage::frm10_cmdEintragen_Click()
{
    const int code = chosenCode();
    if (code < 0) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Das Filterzeichen '") + m_choice->currentText().trimmed()
                                   + QStringLiteral("' ist nicht zulässig.\r\rBitte wählen Sie ein Zeichen aus der "
                                                    "Liste oder geben Sie einen Zeichencode von 0 bis 255 ein."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    if (!m_codes.contains(code)) {
        m_codes.append(code);
        showList();
    }
    m_list->setCurrentRow(int(m_codes.indexOf(code)));
}

void FilterOptionsPage::frm10_cmdLoeschen_Click()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    const int code = item->data(Qt::UserRole).toInt();
    if (!m_ctx.prompter.ask(QStringLiteral("Soll das Filterzeichen gelöscht werden?\r\rZeichen: \r") + characterName(code)))
        return;
    m_codes.removeAll(code);
    showList();
}

} // namespace tarvex
