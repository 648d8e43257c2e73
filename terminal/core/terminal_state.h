#pragma once

#include "shared/app_folders.h"
#include "terminal/core/alarm_list.h"
#include "terminal/core/filter_table.h"
#include "terminal/core/kunde_settings.h"
#include "terminal/core/menu_structure.h"
#include "terminal/core/scheduler_list.h"
#include "terminal/core/script_table.h"
#include "terminal/core/statistics_table.h"

#include <QObject>
#include <QTimer>

namespace tarvex {

// The program-wide state of the terminal; created at start, lives for the whole run and
// is handed by reference to whoever needs a piece of it.
class TerminalState : public QObject
{
    Q_OBJECT
public:
    static const QString kVersion;
    static const QString kTitle;
    static const QString kHelpFile;
    static const QString kControlCharList;

    explicit TerminalState(AppFolders folders, QObject* parent = nullptr);

    AppFolders folders;
    KundeSettings settings;
    ScriptTable scripts;
    AlarmList alarms;
    SchedulerList tasks;
    StatisticsTable sentStats;
    StatisticsTable receivedStats;
    MenuStructure menu;
    FilterTable filter;

    bool debugMode = false;
    bool endRequest = false;
    bool connectionActive = false;
    bool scriptAbortRequest = false;
    int ackAwaited = 0;
    QString sessionStart;
    int receivedLineCount = 0; // status panel 5, since the last connect
    int sentLineCount = 0;     // status panel 6, since the last connect
    int lineIndex = 0;         // the index stamp of received lines
    QString scriptGroupFile;   // the script group of the current parameter set
    QString controlCharList;

    // The four timers of the main window, named as in the window layout.
    QTimer tmrSeriell;
    QTimer tmrQuittung;
    QTimer tmrVerzoegert;
    QTimer tmrZeitplaner;

    // The scheduler timer runs, once a minute, exactly while the active task list is not empty.
    void updateSchedulerTimer();

    // The poll period of the serial line; short compared with the port's read time-out.
    static constexpr int kPollIntervalMs = 10;
};

} // namespace tarvex
