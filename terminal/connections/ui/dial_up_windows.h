#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tarvex {

class DialUpSystem;
class DialUpWindow;
struct TerminalContext;

// Function 680: the dial-up window frm26 on the system's dial-up entries. Each opening
// reads the entries again; the window goes with its link handle when it closes.
class DialUpWindows : public QObject
{
    Q_OBJECT
public:
    DialUpWindows(TerminalContext& context, DialUpSystem& system, QWidget* parent);

    void DFU_Verbindungen();
    DialUpWindow* window() const;

private:
    TerminalContext& m_ctx;
    DialUpSystem& m_system;
    QWidget* m_parent;
    QPointer<DialUpWindow> m_window;
};

} // namespace tarvex
