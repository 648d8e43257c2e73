#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tarvex {

struct ScriptFields;
struct TerminalContext;
class DisplayActions;

// frm13: the 99 script slots of the table. The operator enters, deletes and sorts scripts
// in the dialog's list only; OK writes the whole list to Scripts.ini and into the script
// table (then tableStored() is emitted), Cancel and the close box drop every change.
class ScriptManagementDialog : public QDialog
{
    Q_OBJECT
public:
    // The script editor: gets the name and the command text, gives the edited command text
    // or nothing when the operator cancelled.
    using Editor = std::function<std::optional<QString>(QWidget* parent, const QString& name, const QString& commandText)>;

    // selectedItem: the item of the main window's script list ("NN name") whose slot
    // starts selected; the first slot when none matches.
    ScriptManagementDialog(TerminalContext& context, DisplayActions& display, const QString& selectedItem,
                           QWidget* parent = nullptr);

    // Without an editor the Editieren button is hidden and the command text is typed in place.
    void setEditor(Editor editor);
    // Puts recorded lines as a new script into the first free slot and selects it; false
    // (after telling the operator) when every slot is taken.
    bool takeOverRecorded(const QStringList& lines);

    QListWidget* slotList() const { return m_list; }
    QStringList items() const;
    int selectedSlot() const;

signals:
    // OK wrote the table; the script table in memory holds the dialog's list.
    void tableStored();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    void loadSelected();
    void updateEnabled();
    void updateCount();
    ScriptFields fields() const;
    void enter();
    void remove();
    void sortSlots();
    void edit();
    void showOverview();
    void print();
    // The non-empty slots: number and record.
    QList<QStringList> rows() const;
    void store();
    void fillList(const QStringList& items, int current);
    bool keyAllowed(const QKeyEvent* key) const;

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    Editor m_editor;
    QString m_overview;
    QListWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_nameCaption = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_commands = nullptr;
    QCheckBox* m_noQuestion = nullptr;
    QCheckBox* m_cr = nullptr;
    QCheckBox* m_lf = nullptr;
    QCheckBox* m_waitAck = nullptr;
    QLineEdit* m_ackCode = nullptr;
    QCheckBox* m_timeout = nullptr;
    QLineEdit* m_timeoutSeconds = nullptr;
    QPushButton* m_enter = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_editButton = nullptr;
};

} // namespace tarvex
