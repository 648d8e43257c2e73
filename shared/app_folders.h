#pragma once

#include <QString>

// The folders of a program run. All end with "/".
//   programDir  the folder of the executable
//   dataDir     the customer data folder: programDir + "Kunde/", or the per-user data
//               folder when that can't be created, or the folder given on the command line
//   configDir   dataDir + "Konfiguration/"
// Existing files are found without regard to case ("scripts.ini" is "Scripts.ini").
// The terminal and zendor resolve the same folders from the same program folder, so
// what one writes below the customer data folder the other finds.
class AppFolders
{
public:
    AppFolders() = default;

    // kundeOverride: a customer data folder given on the command line (empty: none).
    // perUserBase: the per-user data folder used when programDir + "Kunde" can't be created.
    static AppFolders resolve(const QString& programDir, const QString& kundeOverride,
                              const QString& perUserBase);
    // The per-user data folder of the programs delivered together. One folder for all of
    // them, whatever each calls itself, so a helper that falls back finds the terminal's
    // customer data.
    static QString perUserBase();

    const QString& programDir() const { return m_programDir; }
    const QString& dataDir() const { return m_dataDir; }
    QString configDir() const { return m_dataDir + QStringLiteral("Konfiguration/"); }
    QString anzeigeDir() const { return m_dataDir + QStringLiteral("Anzeige/"); }
    QString captureDir() const { return m_dataDir + QStringLiteral("Capture/"); }
    QString scriptsDir() const { return m_dataDir + QStringLiteral("Scripts/"); }
    // Working copies; beside the customer data folder.
    QString tempDir() const;
    bool usesPerUserFolder() const { return m_perUser; }
    // True when the customer data folder is the one beside the program, found without
    // being named on the command line: a helper started from the same program folder
    // finds it by itself.
    bool besideProgram() const { return !m_perUser && !m_named; }

    // Creates the sub folders of the customer data folder that are missing.
    void createDataFolders() const;

    // A path with "\" or "/" separators; each existing component is matched without regard
    // to case. Components that don't exist keep the given spelling.
    static QString findCaseInsensitive(const QString& path);

    // Appends "/" when missing and turns "\" into "/".
    static QString withTrailingSlash(const QString& dir);

private:
    QString m_programDir;
    QString m_dataDir;
    bool m_perUser = false;
    bool m_named = false;
};
