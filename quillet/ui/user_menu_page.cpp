#include "quillet/ui/user_menu_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillet {

UserMenuPage::UserMenuPage(QList<UserMenu::Entry> entries, QWidget* parent)
    : QWidget(parent), m_entries(std::move(entries))
{
    setObjectName(QStringLiteral("pgBenutzermenue"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lvBenutzermenue"));
    m_list->setHeaderLabels({QStringLiteral("Menüname"), QStringLiteral("Text")});
    m_list->setRootIsDecorated(false);
    layout->addWidget(m_list);

    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("edMenuename"));
    m_name->setMaxLength(UserMenu::kMaxLength);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("edMenueText"));
    m_text->setMaxLength(UserMenu::kMaxLength);
    form->addRow(QStringLiteral("&Menüname:"), m_name);
    form->addRow(QStringLiteral("&Text:"), m_text);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_add = button(QStringLiteral("cmdMenueHinzufuegen"), QStringLiteral("&Hinzufügen"));
    QPushButton* clear = button(QStringLiteral("cmdMenueLeeren"), QStringLiteral("&Leeren"));
    m_delete = button(QStringLiteral("cmdMenueLoeschen"), QStringLiteral("&Löschen"));
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &UserMenuPage::addEntry);
    connect(clear, &QPushButton::clicked, this, &UserMenuPage::clearFields);
    connect(m_delete, &QPushButton::clicked, this, &UserMenuPage::deleteEntry);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &UserMenuPage::showSelected);
    connect(m_name, &QLineEdit::textChanged, this, &UserMenuPage::updateButtons);
    connect(m_text, &QLineEdit::textChanged, this, &UserMenuPage::updateButtons);
    fill(-1);
}

void UserMenuPage::fill(int current)
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const UserMenu::Entry& entry : m_entries)
        m_list->addTopLevelItem(new QTreeWidgetItem({entry.name, entry.text}));
    if (current >= 0 && current < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(current));
    updateButtons();
}

void UserMenuPage::addEntry()
{
    const UserMenu::Entry entry{m_name->text(), m_text->text()};
    if (entry.name.isEmpty() || entry.text.isEmpty())
        return;
    m_entries = UserMenu::withEntry(m_entries, entry);
    int row = 0;
    while (m_entries[row].name != entry.name)
        ++row;
    fill(row);
}

void UserMenuPage::clearFields()
{
    m_name->clear();
    m_text->clear();
    m_name->setFocus();
}

void UserMenuPage::deleteEntry()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    m_entries.removeAt(row);
    fill(std::min(row, static_cast<int>(m_entries.size()) - 1));
    showSelected();
}

void UserMenuPage::showSelected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row >= 0) {
        m_name->setText(m_entries[row].name);
        m_text->setText(m_entries[row].text);
    }
    updateButtons();
}

void UserMenuPage::updateButtons()
{
    m_add->setEnabled(!m_name->text().isEmpty() && !m_text->text().isEmpty());
    m_delete->setEnabled(m_list->currentItem() != nullptr);
}

} // namespace quillet
