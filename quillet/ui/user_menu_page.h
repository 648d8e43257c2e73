#pragma once

#include "quillet/user_menu.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quillet {

// The options page "Benutzermenü": the entries of the user menu in a list ("Menüname",
// "Text"), the fields of one entry and the buttons "Hinzufügen" (adds the fields as an
// entry, or changes the entry of that name), "Leeren" (empties the fields) and "Löschen"
// (removes the selected entry). Selecting an entry shows it in the fields.
class UserMenuPage : public QWidget {
    Q_OBJECT
public:
    explicit UserMenuPage(QList<UserMenu::Entry> entries, QWidget* parent = nullptr);
    const QList<UserMenu::Entry>& entries() const { return m_entries; }

private:
    void fill(int current);
    void addEntry();
    void clearFields();
    void deleteEntry();
    void showSelected();
    void updateButtons();

    QList<UserMenu::Entry> m_entries;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace quillet
