#pragma once

#include "quillet/user_conversions.h"

#include <QDialog>
#include <QTreeWidget>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;


class Prompter;

namespace quillet {

// "Umwandeln Neu" / "Umwandeln Bearbeiten": name, description and the table. "Eintrag:"
// lists every code from 32 with its replacement; choosing a code in "Umwandeln:" makes it
// the replacement of the entry selected.
class ConversionEditDialog : public QDialog {
    Q_OBJECT
public:
    // `takenNames`: the names of the other conversions, which this one may not take.
    ConversionEditDialog(const UserConversion& conversion, bool isNew, const QStringList& takenNames,
                         Prompter& prompter, QWidget* parent);
    UserConversion conversion() const;

    void done(int result) override;

private:
    void showEntry(int row);
    void pick(int row);

    UserConversion m_conversion;
    QStringList m_taken;
    Prompter& m_prompter;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_description = nullptr;
    QListWidget* m_entries = nullptr;
    QLabel* m_replacing = nullptr;
    QListWidget* m_choices = nullptr;
};

// The list of stored conversions, columns "Name" and "Beschreibung".
class ConversionList : public QTreeWidget {
    Q_OBJECT
public:
    explicit ConversionList(QWidget* parent);
    void fill(const QList<UserConversion>& conversions);
    // The row selected, -1 for none.
    int selectedRow() const;
};

// "Benutzerdefiniert": picks the conversion to apply.
class ConversionChooseDialog : public QDialog {
    Q_OBJECT
public:
    ConversionChooseDialog(const QList<UserConversion>& conversions, QWidget* parent);
    // The conversion chosen; valid after the dialog was accepted.
    int chosen() const { return m_list->selectedRow(); }

private:
    ConversionList* m_list = nullptr;
};

// The options page "Umwandlung": the conversions with add, edit and delete. It edits a copy;
// the options dialog takes it on OK.
class ConversionPage : public QWidget {
    Q_OBJECT
public:
    ConversionPage(const QList<UserConversion>& conversions, Prompter& prompter, QWidget* parent);
    const QList<UserConversion>& conversions() const { return m_conversions; }

private:
    void add();
    void edit();
    void remove();
    QStringList namesExcept(int row) const;

    QList<UserConversion> m_conversions;
    Prompter& m_prompter;
    ConversionList* m_list = nullptr;
};

} // namespace quillet
