#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarvex {

class ExportButtons;

class DisplayActions;
struct TerminalContext;

// frm18: the alarm definitions of Alarmierungen.dat as a list, and the controls to enter a
// new one. The dialog works on its own rows; OK writes them to the file and reloads the
// active alarms (every counter back to 0), Cancel changes nothing.
class AlarmDialog : public QDialog
{
    Q_OBJECT
public:
    AlarmDialog(TerminalContext& context, DisplayActions& display, QWidget* parent = nullptr);

    QTreeWidget* table() const { return m_table; }
    // The 16 values of the controls, in file order.
    QStringList values() const;

    void done(int result) override;

private:
    void buildControls();
    void load();
    void showRow();
    void updateEnabled();
    void updateCaption(const char* word);
    void addRow(const QStringList& values);
    void enter();
    void removeSelected();
    void removeAll();
    void print();
    bool save();
    void browse(QLineEdit* field, bool sound);

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QGroupBox* m_frame = nullptr;
    QTreeWidget* m_table = nullptr;
    QCheckBox* m_status = nullptr;
    QLineEdit* m_text = nullptr;
    QLineEdit* m_threshold = nullptr;
    QCheckBox* m_box = nullptr;
    QCheckBox* m_sound = nullptr;
    QLineEdit* m_soundFile = nullptr;
    QPushButton* m_soundBrowse = nullptr;
    QCheckBox* m_mail = nullptr;
    QLineEdit* m_recipient = nullptr;
    QCheckBox* m_script = nullptr;
    QComboBox* m_scriptEntry = nullptr;
    QCheckBox* m_file = nullptr;
    QLineEdit* m_filePath = nullptr;
    QPushButton* m_fileBrowse = nullptr;
    QCheckBox* m_dateInName = nullptr;
    QCheckBox* m_dateInLine = nullptr;
    QCheckBox* m_wholeLine = nullptr;
    QCheckBox* m_clear = nullptr;
    QPushButton* m_enter = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_removeAll = nullptr;
    QPushButton* m_print = nullptr;
    ExportButtons* m_export = nullptr;
};

} // namespace tarvex
