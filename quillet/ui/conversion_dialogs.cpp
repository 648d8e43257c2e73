#include "quillet/ui/conversion_dialogs.h"

#include "quillet/messages.h"
#include "shared/platform/prompter.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QScrollBar>

#include <algorithm>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillet {
namespace {

constexpr int kFirst = UserConversions::kFirstCode;

QDialogButtonBox* okCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAbbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QListWidget* codeList(QWidget* parent, const QString& name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->setMinimumWidth(260);
    return list;
}

// Wide enough for its longest row, so no column is cut off.
void fitToRows(QListWidget* list)
{
    list->setMinimumWidth(std::max(260, list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width()
                                            + 2 * list->frameWidth() + 8));
}

int replacementOf(const UserConversion& c, int code)
{
    return static_cast<unsigned char>(c.data[code]);
}

} // namespace

// ---------------------------------------------------------------- Umwandeln Neu/Bearbeiten

ConversionEditDialog::ConversionEditDialog(const UserConversion& conversion, bool isNew, const QStringList& takenNames,
                                           Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_conversion(conversion), m_taken(takenNames), m_prompter(prompter)
{
    m_conversion.data = UserConversion::complete(m_conversion.data);
    setObjectName(QStringLiteral("dlgUmwandeln"));
    setWindowTitle(QStringLiteral("Umwandeln") + u' ' + (isNew ? QStringLiteral("Neu") : QStringLiteral("Bearbeiten")));
    m_name = new QLineEdit(m_conversion.name, this);
    m_name->setObjectName(QStringLiteral("edName"));
    m_description = new QLineEdit(m_conversion.description, this);
    m_description->setObjectName(QStringLiteral("edBeschreibung"));
    m_entries = codeList(this, QStringLiteral("lbEintrag"));
    m_choices = codeList(this, QStringLiteral("lbUmwandeln"));
    for (int code = kFirst; code < 256; ++code) {
        m_entries->addItem(UserConversions::entryRow(code, replacementOf(m_conversion, code)));
        m_choices->addItem(UserConversions::pickRow(code));
    }
    fitToRows(m_entries);
    fitToRows(m_choices);
    m_replacing = new QLabel(this);
    m_replacing->setObjectName(QStringLiteral("lblErsetzen"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Beschreibung:"), m_description);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Eintrag:"), this), 0, 0);
    grid->addWidget(m_entries, 1, 0, 2, 1);
    auto* replaceRow = new QHBoxLayout;
    replaceRow->addWidget(new QLabel(QStringLiteral("Ersetzen:"), this));
    replaceRow->addWidget(m_replacing, 1);
    grid->addLayout(replaceRow, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Umwandeln:"), this), 1, 1, Qt::AlignTop);
    grid->addWidget(m_choices, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));

    connect(m_entries, &QListWidget::currentRowChanged, this, &ConversionEditDialog::showEntry);
    connect(m_choices, &QListWidget::currentRowChanged, this, &ConversionEditDialog::pick);
    m_entries->setCurrentRow(0);
}

void ConversionEditDialog::showEntry(int row)
{
    if (row < 0)
        return;
    const int code = row + kFirst;
    m_replacing->setText(UserConversions::pickRow(code));
    const int replacement = replacementOf(m_conversion, code);
    // A stored replacement below 32 has no row to show.
    const QSignalBlocker quiet(m_choices);
    m_choices->setCurrentRow(replacement >= kFirst ? replacement - kFirst : -1);
}

void ConversionEditDialog::pick(int row)
{
    const int entry = m_entries->currentRow();
    if (row < 0 || entry < 0)
        return;
    const int code = entry + kFirst;
    m_conversion.data[code] = static_cast<char>(row + kFirst);
    m_entries->item(entry)->setText(UserConversions::entryRow(code, row + kFirst));
}

UserConversion ConversionEditDialog::conversion() const
{
    UserConversion c = m_conversion;
    c.name = m_name->text().trimmed();
    c.description = m_description->text();
    return c;
}

void ConversionEditDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        const QString name = m_name->text().trimmed();
        if (!UserConversions::isValidName(name)) {
            m_prompter.message(windowTitle(), Messages::conversionNameInvalid(), BoxButtons::Ok, BoxIcon::Exclamation);
            m_name->setFocus();
            return;
        }
        if (m_taken.contains(name, Qt::CaseInsensitive)) {
            m_prompter.message(windowTitle(), Messages::conversionNameTaken(name), BoxButtons::Ok, BoxIcon::Exclamation);
            m_name->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

// ---------------------------------------------------------------- the list

ConversionList::ConversionList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lvUmwandlungen"));
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Beschreibung")});
    setRootIsDecorated(false);
}

void ConversionList::fill(const QList<UserConversion>& conversions)
{
    clear();
    for (const UserConversion& c : conversions)
        addTopLevelItem(new QTreeWidgetItem({c.name, c.description}));
}

int ConversionList::selectedRow() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.constFirst());
}

// ---------------------------------------------------------------- Benutzerdefiniert

ConversionChooseDialog::ConversionChooseDialog(const QList<UserConversion>& conversions, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgBenutzerdefiniert"));
    setWindowTitle(QStringLiteral("Benutzerdefiniert"));
    m_list = new ConversionList(this);
    m_list->fill(conversions);
    QDialogButtonBox* buttons = okCancel(this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this, ok] { ok->setEnabled(m_list->selectedRow() >= 0); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    if (!conversions.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

// ---------------------------------------------------------------- options page

ConversionPage::ConversionPage(const QList<UserConversion>& conversions, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_conversions(conversions), m_prompter(prompter)
{
    m_list = new ConversionList(this);
    m_list->fill(m_conversions);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& name, const QString& text, void (ConversionPage::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, slot);
    };
    button(QStringLiteral("cmdUmwandlungHinzufuegen"), QStringLiteral("&Hinzufügen"), &ConversionPage::add);
    button(QStringLiteral("cmdUmwandlungLoeschen"), QStringLiteral("&Löschen"), &ConversionPage::remove);
    button(QStringLiteral("cmdUmwandlungBearbeiten"), QStringLiteral("&Bearbeiten"), &ConversionPage::edit);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ConversionPage::edit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

QStringList ConversionPage::namesExcept(int row) const
{
    QStringList names;
    for (int i = 0; i < m_conversions.size(); ++i) {
        if (i != row)
            names.append(m_conversions[i].name);
    }
    return names;
}

void ConversionPage::add()
{
    ConversionEditDialog dialog(UserConversion{}, true, namesExcept(-1), m_prompter, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_conversions.append(dialog.conversion());
    m_list->fill(m_conversions);
    m_list->setCurrentItem(m_list->topLevelItem(static_cast<int>(m_conversions.size()) - 1));
}

void ConversionPage::edit()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    ConversionEditDialog dialog(m_conversions[row], false, namesExcept(row), m_prompter, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_conversions[row] = dialog.conversion();
    m_list->fill(m_conversions);
    m_list->setCurrentItem(m_list->topLevelItem(row));
}

void ConversionPage::remove()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    const BoxAnswer answer =
        m_prompter.message(QStringLiteral("Umwandlung löschen"), Messages::deleteConversion(m_conversions[row].name),
                           BoxButtons::YesNo, BoxIcon::Question, 2);
    if (answer != BoxAnswer::Yes)
        return;
    m_conversions.removeAt(row);
    m_list->fill(m_conversions);
}

} // namespace quillet
