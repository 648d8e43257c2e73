#pragma once

class QWidget;

namespace tarvex {

class SerialModule;
struct TerminalContext;

// The windows of the serial subsystem behind their program functions: the port dialog (201)
// and the send-characters dialog (265), both modal on the main window.
class SerialWindows
{
public:
    SerialWindows(TerminalContext& context, SerialModule& serial, QWidget* window);
};

} // namespace tarvex
