#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QStatusBar;
class QTreeWidget;

namespace tarvex {

struct TerminalContext;
class DisplayActions;

// frm14: every script of the table in ten columns; Senden (or a double click) chooses the
// selected script, which the caller runs after the window closed. The window is modeless
// and comes back where the operator left it (kept in the settings).
class ScriptSelectionDialog : public QDialog
{
    Q_OBJECT
public:
    ScriptSelectionDialog(TerminalContext& context, DisplayActions& display, QWidget* parent = nullptr);

    // The item text of the chosen script ("NN name"); empty when none was chosen.
    const QString& chosenItem() const { return m_chosen; }
    QTreeWidget* table() const { return m_table; }

    // Rebuilds the rows from the script table.
    void fill();
    // Sorts by a column; the same column again reverses the order.
    void sortByColumn(int column);

    // Stores the window's place in the settings before it closes.
    void done(int result) override;

private:
    void send();
    void print();
    void manageScripts();
    void showSelected();

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QTreeWidget* m_table = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_group = nullptr;
    QPushButton* m_send = nullptr;
    QPushButton* m_manage = nullptr;
    QStatusBar* m_status = nullptr;
    QString m_chosen;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace tarvex
