#pragma once

#include "terminal/core/connection_control.h"
#include "terminal/serial/parameter_set.h"
#include "terminal/serial/sender.h"
#include "terminal/serial/serial_line.h"

#include <QTimer>

#include <functional>
#include <vector>

namespace tarvex {

struct TerminalContext;

// The serial subsystem: the line, sending and the parameter sets, the connection as the
// rest of the terminal opens and closes it, and the program functions of all three.
class SerialModule : public ConnectionControl
{
public:
    explicit SerialModule(TerminalContext& context);

    SerialLine& line() { return m_line; }
    Sender& sender() { return m_sender; }
    ParameterSet& parameterSets() { return m_parameterSets; }

    // ConnectionControl
    bool VerbindungSteuern(int mode) override;
    void reconnect() override;

    // The open port's device disappeared: close in order, keep everything received, say so.
    // With [Verbindung] Wiederverbinden on, wait for the same port to return.
    void connectionLost();
    // While waiting for a vanished port: tries to open it once a second; opening or
    // closing the connection by hand ends the wait.
    bool waitingForPort() const { return m_waitingForPort; }
    QTimer& reconnectTimer() { return m_reconnectTimer; }
    // Loads a parameter set (asking when no file is given), applies its port parameters
    // and reopens the connection.
    void loadParameterSet(const QString& file);

    // Called after every open or close with whether the connection is now open (the
    // monitor file follows it).
    void onConnectionControlled(std::function<void(bool open)> observer)
    {
        m_connectionObservers.push_back(std::move(observer));
    }

    // A parameter set or the port dialog names a script group (a path, or a file name in
    // the group folder): the observers load it.
    void onScriptGroupNamed(std::function<void(const QString& group)> observer)
    {
        m_groupObservers.push_back(std::move(observer));
    }
    void scriptGroupNamed(const QString& group);

private:
    void registerFunctions();
    void tryReopen();
    void stopWaiting();
    QString lostText() const;

    TerminalContext& m_ctx;
    SerialLine m_line;
    Sender m_sender;
    ParameterSet m_parameterSets;
    std::vector<std::function<void(bool)>> m_connectionObservers;
    std::vector<std::function<void(const QString&)>> m_groupObservers;
    QTimer m_reconnectTimer;
    bool m_waitingForPort = false;
    QString m_lostPort;
};

} // namespace tarvex
