#pragma once

#include <QRect>
#include <QString>

enum class Lamp { Knopf, RX, TX, DSR, RTS, Anruf };
enum class LampImage { Gelb, Gruen, GruenDunkel, Blau, BlauDunkel, Rot };

// What the terminal's procedures need from the main window. The window implements it;
// tests use a fake.
class TerminalView
{
public:
    virtual ~TerminalView() = default;
    virtual void setLamp(Lamp lamp, LampImage image) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Position and size of the window without its frame.
    virtual QRect windowGeometry() const = 0;
    // Settings shown in the window changed (option lamps, lamp row, filter list).
    virtual void settingsChanged() = 0;
    // A panel of the status bar (1 to 8); 0 is the help text line under the display.
    virtual void setStatusText(int panel, const QString& text) = 0;
    // The connection opened or closed: controls that need it follow.
    virtual void connectionChanged(bool active) = 0;
    // Received or sent text for the display; the display keeps at most its line limit.
    virtual void appendDisplay(const QString& text) = 0;
    // While a burst of received lines is handled, the display may lay them out together
    // when the burst ends.
    virtual void displayBurst(bool active) = 0;
    // Removes the last character shown (a received backspace).
    virtual void displayBackspace() = 0;
    virtual void beep() = 0;
};
