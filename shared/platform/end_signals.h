#pragma once

#include <QObject>

class QSocketNotifier;

// The requests from outside to end the program: SIGTERM (a shutdown, `kill`), SIGHUP (the
// controlling terminal or the desktop session went away) and SIGINT (Ctrl+C). The handler
// only writes one byte into a pipe (the one thing a signal handler may safely do); the
// event loop reads it and emits endRequested(), where the program runs its own orderly end
// without asking anything. Each handler is one-shot: a second signal of the same kind ends
// the program at once, so a hanging end can still be stopped.
//
// One instance at a time; it restores the previous handlers when destroyed.
// On Windows the counterpart are the console control events (SetConsoleCtrlHandler:
// CTRL_C_EVENT, CTRL_CLOSE_EVENT, CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT), whose handler
// would post endRequested() the same way. That variant is not built here: on Windows this
// class installs nothing. The end of the Windows session (WM_QUERYENDSESSION/WM_ENDSESSION)
// reaches the programs through Qt's session request instead (OutsideEnd).
class EndSignals : public QObject
{
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // Whether the handlers are in place (false where the platform variant is not built or
    // the pipe could not be made).
    bool active() const { return m_notifier != nullptr; }
    // The first signal received, 0 while none came.
    int received() const { return m_received; }

signals:
    // Emitted once, for the first signal received.
    void endRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    int m_received = 0;
};
