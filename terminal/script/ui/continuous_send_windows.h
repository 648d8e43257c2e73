#pragma once

#include <QObject>
#include <QPointer>

namespace tarvex {

class ContinuousSendDialog;
class MainWindow;
class ScriptEngine;
class SerialModule;
struct TerminalContext;

// The continuous send test behind function 785: opens the modeless window frm24 beside the
// main window (or brings it to the front) and lets it start scripts through the script
// engine. The focus goes back to the display when the window closes.
class ContinuousSendWindows : public QObject
{
    Q_OBJECT
public:
    ContinuousSendWindows(TerminalContext& context, SerialModule& serial, ScriptEngine& scripts, MainWindow& window,
                          QObject* parent = nullptr);

    void DauertestSenden();
    // The window once it was opened.
    ContinuousSendDialog* dialog() const;

private:
    TerminalContext& m_ctx;
    SerialModule& m_serial;
    ScriptEngine& m_scripts;
    MainWindow& m_window;
    QPointer<ContinuousSendDialog> m_dialog;
};

} // namespace tarvex
