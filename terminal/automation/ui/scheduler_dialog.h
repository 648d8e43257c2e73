#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

namespace tarvex {

class DisplayActions;
class Scheduler;
struct TerminalContext;

// frm11: the timed tasks of Zeitplaner.dat as a list, and the controls that make a new one.
// "Eintragen" appends a task after its checks, "Löschen" and "Alle löschen" remove tasks,
// "Manuell" runs the selected task now. OK writes the file whole, reloads the active tasks
// and saves the settings; Cancel writes nothing.
class SchedulerDialog : public QDialog
{
    Q_OBJECT
public:
    SchedulerDialog(TerminalContext& context, DisplayActions& display, Scheduler& scheduler, QWidget* parent = nullptr);

    // The tasks as they are listed: the 11 fields of each line.
    QList<QStringList> tasks() const;

    void frm11_cmdEintragen_Click();
    void frm11_cmdLoeschen_Click();
    void frm11_cmdAlleLoeschen_Click();
    void frm11_cmdManuell_Click();
    void frm11_cmdAuswahl_Click();
    void frm11_cmdDrucken_Click();
    void frm11_cmdOK_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void addRow(const QStringList& fields);
    void renumber();
    void rhythmChosen(int rhythm);
    void kindChosen();
    int checkedOption(const QList<QRadioButton*>& options) const;
    QString taskFile() const;

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    Scheduler& m_scheduler;
    QGroupBox* m_frame = nullptr;
    QTreeWidget* m_table = nullptr;
    QCheckBox* m_status = nullptr;
    QComboBox* m_time = nullptr;
    QList<QRadioButton*> m_rhythms;
    QComboBox* m_when = nullptr;
    QList<QRadioButton*> m_files;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_folder = nullptr;
    QWidget* m_folderButton = nullptr;
    QCheckBox* m_stamp = nullptr;
    QCheckBox* m_ask = nullptr;
    QCheckBox* m_explorer = nullptr;
    QComboBox* m_script = nullptr;
};

} // namespace tarvex
