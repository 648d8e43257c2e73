#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

namespace tarvex {

// The script bar frm1_frScripts beside the display: the list of scripts, the commands of the
// running script with its stop label, the buttons for selection, groups and management, the
// recorder's row and the width slider. The main window hosts it; the script engine drives it.
class ScriptBar : public QWidget
{
    Q_OBJECT
public:
    explicit ScriptBar(QWidget* parent = nullptr);

    QListWidget* scripts() const { return m_scripts; }          // frm1_cbScript
    QListWidget* runningCommands() const { return m_commands; } // frm1_lbScripts
    QPushButton* groupButton() const { return m_groupButton; }  // frm1_cmdScriptL
    QSlider* widthSlider() const { return m_width; }            // frm1_sliScripts

    void setItems(const QStringList& items);
    // The bar's width, shown on the slider without reporting it as the user's choice.
    void setBarWidth(int width);
    // While a script runs its commands and the stop label replace the list, and the buttons
    // and the slider rest.
    void setRunning(bool running);
    // Without a connection there is nothing to run a script on: the list and the selection
    // rest.
    void setConnected(bool connected);
    bool running() const;

    // The recorder's row: its buttons are usable while the recorder is shown; the record
    // button stays pressed while recording; the label counts the collected lines.
    void showRecorder(bool shown, bool recording, const QStringList& lines);
    QPushButton* recordButton() const { return m_record; }    // frm1_cmdRecord
    QPushButton* stopRecordButton() const { return m_stopRecord; } // frm1_cmdStop
    QLabel* recordCount() const { return m_recordCount; }     // frm1_lblScriptRec

signals:
    // A button of the bar asks for this program function.
    void functionRequested(int number);
    // The stop label was clicked.
    void stopRequested();
    // The user moved the width slider.
    void widthChosen(int width);
    // The recorder's buttons.
    void recordClicked();
    void stopRecordClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWidth(int width);

    QListWidget* m_scripts = nullptr;
    QListWidget* m_commands = nullptr;
    QLabel* m_stop = nullptr;
    QPushButton* m_groupButton = nullptr;
    QPushButton* m_selectButton = nullptr;
    bool m_connected = false;
    QList<QPushButton*> m_buttons;
    QSlider* m_width = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_stopRecord = nullptr;
    QLabel* m_recordCount = nullptr;
    QListWidget* m_recorded = nullptr;
};

} // namespace tarvex
