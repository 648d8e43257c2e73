#pragma once

#include <QDialog>

#include <functional>

class QAbstractItemModel;
class QHBoxLayout;
class QLabel;
class QListView;
class QPushButton;

namespace tarvex {

class DisplayActions;
struct TerminalContext;

// The frame the two character windows share: a read-only list over a model (so a long
// code view is laid out row by row as it scrolls, not all at once), a label, and the
// buttons Drucken, Exportieren, Bearbeiten, Hilfe and Beenden. The window's own buttons go
// in front of them.
class CodeListDialog : public QDialog
{
    Q_OBJECT
public:
    // form: the window's name ("frm17"); printTitle: the title of the printed list;
    // helpKeyword: the window's help topic.
    CodeListDialog(TerminalContext& context, DisplayActions& display, const QString& form, const QString& printTitle,
                   const QString& helpKeyword, QWidget* parent);

    QListView* list() const { return m_list; }
    QLabel* label() const { return m_label; }

protected:
    // The model and the lines printed and exported (the model's rows).
    void setContent(QAbstractItemModel* model, std::function<QStringList()> lines);
    void addButton(QPushButton* button);

private:
    DisplayActions& m_display;
    QString m_printTitle;
    std::function<QStringList()> m_lines;
    QListView* m_list = nullptr;
    QLabel* m_label = nullptr;
    QHBoxLayout* m_own = nullptr;
};

} // namespace tarvex
