#pragma once

namespace tarvex {

// Opening and closing the serial connection, as the subsystems that are not the serial
// line itself (start-up, scripts, windows) reach it.
class ConnectionControl
{
public:
    virtual ~ConnectionControl() = default;
    // Opens (1) or closes (2) the connection with the monitor file; returns whether it is open.
    virtual bool VerbindungSteuern(int mode) = 0;
    // Closes and reopens the connection with the current settings.
    virtual void reconnect() = 0;
};

} // namespace tarvex
