#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace tarvex {

class FunctionTable;
struct KundeSettings;

// The keyboard map at work: it sees every key of the application before the focused
// control does and hands mapped keys to the function dispatcher while "Tasten" is on. Keys
// run functions only while the main window is the active window, so a dialog of the
// terminal never opens a second program function over itself. With the debug flag the main
// window's caption names the last key. The key itself goes on to the focused control.
class KeyPreview : public QObject
{
    Q_OBJECT
public:
    KeyPreview(FunctionTable& functions, const KundeSettings& settings, QWidget& mainWindow);
    ~KeyPreview() override;

    // Installs the preview on the application.
    void install();

    // One key press, as the application filter sees it at the widget that has the focus.
    void Screen_KeyPreview(const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FunctionTable& m_functions;
    const KundeSettings& m_settings;
    QWidget& m_window;
};

} // namespace tarvex
