#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

namespace tarvex {

class MonitorFile;
class ScriptRunner;
struct TerminalContext;

// The timed tasks: once a minute (frm1_tmrZeitplaner) the first active task whose time is
// the current minute is looked at and, when its rhythm makes it due today, run. A task
// copies, moves or deletes the capture and/or monitor file, or starts a script; every run
// and every failure is written to the scheduler protocol.
class Scheduler : public QObject
{
    Q_OBJECT
public:
    explicit Scheduler(TerminalContext& context, QObject* parent = nullptr);

    // Script tasks start their script through this runner.
    void setScriptRunner(ScriptRunner* runner) { m_scripts = runner; }
    // The monitor file held open while connected; closed around a job on it.
    void setMonitorFile(MonitorFile* monitor) { m_monitor = monitor; }

    // entry empty: the timed check of the current minute; otherwise a manual run of that
    // entry (active-list form), which asks first when the task is not due today.
    void ZeittaskPruefen(const QString& entry);

    // One tick of the timer: checks the current minute, and a minute the timer skipped
    // since the last tick (a late tick, or the pause while a task ran).
    void tick();

    // Reads Zeitplaner.dat into the active list again and lets the timer follow; the next
    // tick looks at its own minute only.
    void reload();

    // The due rule of an active-list entry on a day. shown: the rhythm's value as the
    // manual-run question shows it (the weekday counted Sunday = 1 for weekly tasks).
    static bool isDue(const QString& entry, const QDate& day, int* shown = nullptr);

    // The date and time in front of each protocol line.
    static QString protocolStamp(const QDateTime& t);
    QString protocolPath() const;

private:
    // The timed check of one minute of the day ("hh:mm").
    void checkMinute(const QDateTime& minute);
    void run(const QString& entry);
    void runFileTask(const QStringList& fields, QString& path);
    void writeProtocol(const QString& text);

    TerminalContext& m_ctx;
    ScriptRunner* m_scripts = nullptr;
    MonitorFile* m_monitor = nullptr;
    QDateTime m_lastTick;
    // The day and minute whose task last ran from the timer: a minute that comes again
    // (a second tick within it, the hour repeated when the clocks go back) runs nothing.
    QDate m_ranDay;
    QString m_ranKey;
};

} // namespace tarvex
