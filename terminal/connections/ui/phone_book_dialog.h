#pragma once

#include "terminal/connections/phone_book.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarvex {

class ExportButtons;

class DisplayActions;
struct TerminalContext;

// The phone book frm16: the numbers of Telefonbuch.dat in a list, fields to add one,
// delete, print. However the window ends, the list is written back to the file; it ends
// with Accepted only through "Wählen" (or a double click on a row), and number() then
// names the number to dial.
class PhoneBookDialog : public QDialog
{
    Q_OBJECT
public:
    PhoneBookDialog(TerminalContext& context, DisplayActions& display, QWidget* parent = nullptr);

    QString number() const;
    QList<PhoneEntry> entries() const;

    void done(int result) override;

private:
    void buildControls();
    void load();
    void addRow(const PhoneEntry& entry);
    void showRow();
    void enter();
    void remove();
    void removeAll();
    void updateState();
    QString path() const;

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QTreeWidget* m_table = nullptr;
    QLabel* m_count = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_place = nullptr;
    QPushButton* m_dial = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_removeAll = nullptr;
    QPushButton* m_print = nullptr;
    ExportButtons* m_export = nullptr;
    bool m_saved = false;
};

} // namespace tarvex
