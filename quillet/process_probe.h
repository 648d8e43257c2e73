#pragma once

#include <QString>

namespace quillet {

// Tells whether another editor process is still running, for the crash recovery: a backup
// registered by a running editor belongs to that editor.
class ProcessProbe {
public:
    static qint64 currentId();
    // True when a process with this id runs and, where the system tells, runs an editor.
    static bool isRunningEditor(qint64 id);
};

} // namespace quillet
