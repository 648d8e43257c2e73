#pragma once

#include "terminal/core/view_roles.h"
#include "terminal/core/ui/lamp_images.h"
#include "terminal/core/ui/key_preview.h"
#include "terminal/core/ui/menu_bar.h"
#include "terminal/core/ui/tool_bar.h"
#include "terminal/script/ui/script_bar.h"
#include "terminal/serial/sender.h"
#include "terminal/display/display_feed.h"

#include <QMainWindow>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSlider;
class QPlainTextEdit;
class QWidget;

namespace tarvex {

class DisplayActions;
class DisplayView;
class SerialModule;
class SessionDisplay;
class SessionScreen;
class Terminal;
struct TerminalContext;

// The main window frm1: display, script bar, lamps, status bar and toolbar. It shows the
// terminal's state and hands every action to the terminal; it holds no rules of its own.
class MainWindow : public QMainWindow, public TerminalView
{
    Q_OBJECT
public:

    MainWindow(Terminal& terminal, SerialModule& serial, QWidget* parent = nullptr);

    // Builds and shows the window and loads the data files, in the start-up order.
    void BildAufbau();
    // Builds the menu bar from the menu structure table and the saved parameter sets.
    void MenüErzeugen();
    MenuBar& menu() const { return *m_menu; }

    // TerminalView
    void setLamp(Lamp lamp, LampImage image) override;
    void setBusyCursor(bool busy) override;
    void setCaption(const QString& caption) override;
    QRect windowGeometry() const override;
    void settingsChanged() override;
    void setStatusText(int panel, const QString& text) override;
    void connectionChanged(bool active) override;
    void endCharacterChanged() override;
    void appendDisplay(const QString& text) override;
    void displayBackspace() override;
    void displayBurst(bool active) override;
    void beep() override;

    DisplayView* display() const { return m_display; }
    // Shows the received text still waiting for the display.
    void flushDisplay();
    DisplayActions& displayActions() const { return *m_displayActions; }

    // The script bar, driven by the script subsystem.
    ScriptBar& scriptBar() const { return *m_scriptBar; }
    // While a script runs the controls that would disturb it are disabled or hidden, and
    // the script bar shows the running script.
    void setScriptRunning(bool running);

    // The function bar dialog frm27; afterwards the bar shows the new buttons.
    void FunktionsLeiste(int mode);
    ToolBar& functionBar() const { return *m_tools; }

    // A menu item was chosen / is under the mouse (items carry program function numbers).
    void frm1_MenuEvent(int item);
    void frm1_MenuOver(int item, const QString& helpText);
    // Mode 0 switches the analysis line on or off; with the line on (or mode 1) the first
    // selected character of the display is analysed.
    void ZeichenAnalyse(int mode);
    QLabel* statusPanel(int number) const { return m_panels.at(std::size_t(number - 1)); }

signals:
    // A function bar button of the operator asks for the script of this slot.
    void scriptButtonClicked(int slot);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildStatusBar();
    void buildCentral();
    void applyDisplayStyle();
    // What the settings say about the function bar: shown or not, the operator's buttons.
    void showFunctionBar();
    void functionBarButton(const FunctionButton& button);
    void showInformation();
    void fillScriptList();
    void fillFilterList();
    void updateOptionLamps();
    void updateCapturePanel();
    void layoutOptionalRows();
    // The check boxes, tool tips and enabled states that read the settings.
    void showSendReceiveOptions();
    void enableConnectionControls(bool active);

    // Events of frm1's controls.
    void frm1_tb1_ButtonClick(int index, int function);
    void frm1_cbEndzeichen_Click(int item);
    void frm1_chkDebug_Click();
    void frm1_cmdMonitor_Click();
    void frm1_cmdSystem_Click();
    void frm1_lblScriptStop_Click();
    void frm1_sliScripts_Scroll(int value);
    bool frm1_rtAnzeige_KeyPress(QKeyEvent* event);
    // The key the display would send to the device; Ignored for keys that stay local.
    TypedKey keyToSend(const QKeyEvent& event) const;

    Terminal& m_terminal;
    TerminalContext& m_ctx;
    SerialModule& m_serial;
    ToolBar* m_tools = nullptr;
    MenuBar* m_menu = nullptr;
    KeyPreview* m_keys = nullptr;
    // The settings the display style, the menu and the function bar were last built from,
    // so a change of other settings doesn't rebuild them.
    QString m_shownStyle;
    bool m_shownMenuTasten = false;
    std::array<QString, FunctionButton::kMaxButtons> m_shownButtons;
    bool m_buttonsShown = false;
    LampImages m_lampImages;
    std::array<QLabel*, 8> m_panels{};
    std::array<QLabel*, 6> m_lamps{};
    DisplayView* m_display = nullptr;
    DisplayActions* m_displayActions = nullptr;
    SessionScreen* m_sessionScreen = nullptr;
    QScrollArea* m_sessionArea = nullptr;
    SessionDisplay* m_session = nullptr;
    QComboBox* m_endChar = nullptr;
    ScriptBar* m_scriptBar = nullptr;
    QPushButton* m_ackButton = nullptr;
    QPushButton* m_cmdAuswahl = nullptr;
    QPushButton* m_cmdMonitor = nullptr;
    QPushButton* m_cmdExplorer = nullptr;
    QPushButton* m_cmdParameter = nullptr;
    QPushButton* m_cmdSystem = nullptr;
    QCheckBox* m_chkEmpfangen = nullptr;
    QCheckBox* m_chkSofort = nullptr;
    QCheckBox* m_debug = nullptr;
    QWidget* m_lampRow = nullptr;
    QLabel* m_imgEcho = nullptr;
    QLabel* m_imgFilter = nullptr;
    QLabel* m_imgHex = nullptr;
    QLabel* m_lbl55 = nullptr;
    QLabel* m_lbl56 = nullptr;
    QLabel* m_lbl57 = nullptr;
    QLabel* m_imgStatist = nullptr;
    QLabel* m_callCaption = nullptr;
    QListWidget* m_filterList = nullptr;
    QPlainTextEdit* m_analyse = nullptr;
    QLabel* m_menuText = nullptr;
    int m_usableScreenHeight = 0;
    // Between the receive path and the display: text of fast passes is shown together.
    DisplayFeed m_displayFeed;
};

} // namespace tarvex
