#pragma once

#include "shared/platform/end_signals.h"

#include <QObject>

#include <functional>

class QGuiApplication;

// Every request from outside to end the program: the signals of EndSignals and the end of
// the desktop session (log-out or shutdown: the session manager asks the program to commit
// its data; on Windows that is WM_QUERYENDSESSION/WM_ENDSESSION, which Qt turns into the
// same request). Each runs `end` once, the program's own orderly end without questions;
// no interaction is asked of the session manager, so the log-out is never held up.
class OutsideEnd : public QObject
{
    Q_OBJECT
public:
    OutsideEnd(QGuiApplication& app, std::function<void()> end, QObject* parent = nullptr);

    // Whether `end` ran already.
    bool ended() const { return m_ended; }
    // Runs `end` unless it ran already (the session's request, and tests).
    void requestEnd();

private:
    EndSignals m_signals;
    std::function<void()> m_end;
    bool m_ended = false;
};
