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
};
