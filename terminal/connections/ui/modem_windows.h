#pragma once

#include <QObject>

namespace tarvex {

class MainWindow;
class ModemModule;
struct TerminalContext;

// The phone book behind functions 315 (from the connection's menu) and 350 (also without
// a connection): the window frm16 over the main window; a number chosen with "Wählen" is
// dialled through the modem, which asks first and does nothing while the port is closed.
class ModemWindows : public QObject
{
    Q_OBJECT
public:
    ModemWindows(TerminalContext& context, ModemModule& modem, MainWindow& window, QObject* parent = nullptr);

    void Telefonbuch(int mode);

private:
    TerminalContext& m_ctx;
    ModemModule& m_modem;
    MainWindow& m_window;
};

} // namespace tarvex
