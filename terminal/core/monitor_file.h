#pragma once

namespace tarvex {

// The monitor file as others reach it while it is held open: a file job closes it so that
// nothing is written into a file being copied, moved or deleted, and opens it again after.
class MonitorFile
{
public:
    virtual ~MonitorFile() = default;
    virtual void openMonitor() = 0;
    virtual void closeMonitor() = 0;
    virtual bool monitorOpen() const = 0;
};

} // namespace tarvex
