#pragma once

class QWidget;

namespace tarvex {

struct TerminalContext;

// The options window behind its program functions: 805 opens it on the first page, 805 + n
// on page n + 1 (806 Passwort … 811 Session), modal on the main window.
class OptionsWindows
{
public:
    OptionsWindows(TerminalContext& context, QWidget* window);
};

} // namespace tarvex
