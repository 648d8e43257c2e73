#pragma once

#include <QRect>
#include <QString>

namespace tarvex {

enum class Lamp { Knopf, RX, TX, DSR, RTS, Anruf };
enum class LampImage { Gelb, Gruen, GruenDunkel, Blau, BlauDunkel, Rot };

// Where received and sent text is shown.
class DisplaySink
{
public:
    virtual ~DisplaySink() = default;
    // Received or sent text; the display keeps at most its line limit.
    virtual void appendDisplay(const QString& text) = 0;
    // While a burst of received lines is handled, the display may lay them out together
    // when the burst ends.
    virtual void displayBurst(bool active) = 0;
    // Removes the last character shown (a received backspace).
    virtual void displayBackspace() = 0;
    virtual void beep() = 0;
};

// The lamp row: connection, receive, send, DSR, RTS, call.
class LampPanel
{
public:
    virtual ~LampPanel() = default;
    virtual void setLamp(Lamp lamp, LampImage image) = 0;
};

// The status bar: panels 1 to 8; 0 is the help text line under the display.
class StatusLine
{
public:
    virtual ~StatusLine() = default;
    virtual void setStatusText(int panel, const QString& text) = 0;
};

// The rest of what the procedures need from the main window.
class WindowRole
{
public:
    virtual ~WindowRole() = default;
    virtual void setBusyCursor(bool busy) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Position and size of the window without its frame.
    virtual QRect windowGeometry() const = 0;
    // Settings shown in the window changed (option lamps, lamp row, filter list, check
    // boxes). The connection text of the status bar is not among them: it shows what the
    // open port uses and changes with the connection.
    virtual void settingsChanged() = 0;
    // The connection opened or closed: controls that need it follow.
    virtual void connectionChanged(bool active) = 0;
    // The end character changed while the port stays open (chosen or detected): its list,
    // the connection text and the acknowledgement button follow.
    virtual void endCharacterChanged() = 0;
};

// A main window plays all four roles.
class TerminalView : public DisplaySink, public LampPanel, public StatusLine, public WindowRole
{
};

// The roles as the logic reaches them: empty until a window (or a test's fake) attaches,
// so procedures run without a window too. Every call is dropped while its role is empty.
class ViewRoles
{
public:
    void attach(TerminalView* view)
    {
        display = view;
        lamps = view;
        status = view;
        window = view;
    }

    explicit operator bool() const { return window != nullptr; }

    void appendDisplay(const QString& text) { if (display) display->appendDisplay(text); }
    void displayBurst(bool active) { if (display) display->displayBurst(active); }
    void displayBackspace() { if (display) display->displayBackspace(); }
    void beep() { if (display) display->beep(); }
    void setLamp(Lamp lamp, LampImage image) { if (lamps) lamps->setLamp(lamp, image); }
    void setStatusText(int panel, const QString& text) { if (status) status->setStatusText(panel, text); }
    void setBusyCursor(bool busy) { if (window) window->setBusyCursor(busy); }
    void setCaption(const QString& caption) { if (window) window->setCaption(caption); }
    QRect windowGeometry() const { return window ? window->windowGeometry() : QRect(); }
    void settingsChanged() { if (window) window->settingsChanged(); }
    void connectionChanged(bool active) { if (window) window->connectionChanged(active); }
    void endCharacterChanged() { if (window) window->endCharacterChanged(); }

    DisplaySink* display = nullptr;
    LampPanel* lamps = nullptr;
    StatusLine* status = nullptr;
    WindowRole* window = nullptr;
};

} // namespace tarvex
