#pragma once

#include <QByteArray>
#include <QString>

class AppFolders;

namespace tarvex {

class ScriptTable;

// The working file of the script table (Scripts.ini in the configuration folder) and the
// script group files: "[Script]", then "ScriptNN=record" for the slots 1 to 99, CR LF ends.
// Reading is DataLoader::DatenIn mode 6; every reader and writer uses workingFile().
class ScriptFile
{
public:
    static QString workingFile(const AppFolders& folders);
    static QString groupFolder(const AppFolders& folders);
    static QByteArray encode(const ScriptTable& table);
    // Atomic write; throws RuntimeError when the file cannot be written.
    static void write(const QString& path, const ScriptTable& table);
};

} // namespace tarvex
