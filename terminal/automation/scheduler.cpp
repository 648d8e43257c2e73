#include "terminal/automation/scheduler.h"

#include "shared/app_folders.h"
#include "shared/daten_pipe.h"
#include "shared/disk_sync.h"
#include "shared/line_appender.h"
#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"
#include "terminal/automation/scheduler_task.h"
#include "terminal/automation/script_runner.h"
#include "terminal/core/error_report.h"
#include "terminal/core/monitor_file.h"
#include "terminal/core/scheduler_list.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarvex {

using namespace SchedulerTask;

namespace {

// Minutes a late tick looks back; a longer gap (the computer slept) is not made up.
constexpr qint64 kCatchUpMinutes = 10;

QString minuteKey(const QDateTime& t)
{
    return t.time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ');
}

bool flagSet(const QString& field)
{
    return leadingNumber(field) != 0.0;
}

// Keeps the receive path away from the files while a job works on them: the serial poll
// pauses, the monitor file (when the job involves it) is closed; both come back on leaving,
// also when the job fails.
class FileJobHold
{
public:
    FileJobHold(TerminalState& state, MonitorFile* monitor, bool involvesMonitor) : m_state(state)
    {
        m_state.tmrSeriell.stop();
        if (involvesMonitor && m_state.connectionActive && monitor && monitor->monitorOpen()) {
            monitor->closeMonitor();
            m_monitor = monitor;
        }
    }
    ~FileJobHold()
    {
        if (m_monitor && m_state.connectionActive)
            m_monitor->openMonitor();
        if (m_state.connectionActive)
            m_state.tmrSeriell.start();
        else
            m_state.tmrSeriell.stop();
    }
    FileJobHold(const FileJobHold&) = delete;
    FileJobHold& operator=(const FileJobHold&) = delete;

private:
    TerminalState& m_state;
    MonitorFile* m_monitor = nullptr;
};

// Copies a file, replacing an older copy of the same name; the target is complete or untouched.
void copyFile(const QString& source, const QString& target)
{
    const QFileInfo targetInfo(target);
    // Copying a file onto itself and then deleting the source would lose it.
    if (targetInfo.exists() && targetInfo.canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        throw RuntimeError(ErrorCode::PathFileAccess, target);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw RuntimeError(TextFile::errorCodeOf(in), source);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw RuntimeError(TextFile::errorCodeOf(out), target);
    QByteArray block;
    while (!(block = in.read(1 << 16)).isEmpty()) {
        if (out.write(block) != block.size())
            throw RuntimeError(TextFile::errorCodeOf(out), target);
    }
    if (in.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorCode::DeviceIo, source);
    if (!out.commit())
        throw RuntimeError(TextFile::errorCodeOf(out), target);
    DiskSync::syncFolderOf(target);
}

// Deletes a file. Mode 1 leaves a write-protected file and reports it; mode 7 removes the
// protection first. A file that is not there is already gone.
void deleteFile(const QString& path, int mode)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return;
    QFile file(path);
    const QFile::Permissions rights = file.permissions();
    if (!(rights & QFile::WriteOwner)) {
        if (mode == 1)
            throw RuntimeError(ErrorCode::PermissionDenied, path);
        file.setPermissions(rights | QFile::WriteOwner);
    }
    if (!file.remove())
        throw RuntimeError(file.error() == QFileDevice::PermissionsError || QFileInfo::exists(path)
                               ? ErrorCode::PermissionDenied
                               : ErrorCode::PathFileAccess,
                           path);
}

// Copy, move or delete of one source file.
void fileJob(const QString& source, const QString& target, int kind, int deleteMode)
{
    if ((kind == Copy || kind == Move) && QFileInfo(source).isFile())
        copyFile(source, AppFolders::findCaseInsensitive(target));
    if (kind == Delete || kind == Move)
        deleteFile(source, deleteMode);
}

} // namespace

Scheduler::Scheduler(TerminalContext& context, QObject* parent) : QObject(parent), m_ctx(context)
{
    connect(&m_ctx.state.tmrZeitplaner, &QTimer::timeout, this, &Scheduler::tick);
}

QString Scheduler::protocolStamp(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ") + t.toString(QStringLiteral("HH:mm:ss"));
}

QString Scheduler::protocolPath() const
{
    return AppFolders::findCaseInsensitive(m_ctx.state.folders.captureDir() + QStringLiteral("Zeitplanerprotokoll.txt"));
}

void Scheduler::reload()
{
    m_ctx.loader.DatenIn(4, 1, m_ctx.state.folders.configDir() + QStringLiteral("Zeitplaner.dat"));
    // New tasks start with the next minute: a task entered for a minute just passed waits
    // for its next turn.
    m_lastTick = QDateTime();
    m_ctx.state.updateSchedulerTimer();
}

bool Scheduler::isDue(const QString& entry, const QDate& day, int* shown)
{
    const int rhythm = leadingInt(QStringView(entry).mid(6, 2));
    const int value = leadingInt(QStringView(entry).mid(9, 2));
    int series = value;
    bool due = false;
    switch (rhythm) {
    case 1:
        due = true;
        break;
    case 2: {
        // The list starts with Monday; the weekday is counted from Sunday = 1.
        series = value + 1 == 8 ? 1 : value + 1;
        const int weekday = day.dayOfWeek() % 7 + 1;
        due = weekday == series;
        break;
    }
    case 3:
        due = day.day() == value;
        break;
    case 4:
        due = day.month() == value && day.day() == 1;
        break;
    default:
        break;
    }
    if (shown)
        *shown = series;
    return due;
}

void Scheduler::tick()
{
    const QDateTime now = m_ctx.clock.now();
    if (m_lastTick.isValid()) {
        const qint64 gap = now.toMSecsSinceEpoch() / 60000 - m_lastTick.toMSecsSinceEpoch() / 60000;
        for (qint64 back = qMin(gap - 1, kCatchUpMinutes); back >= 1; --back)
            checkMinute(now.addSecs(-60 * back));
    }
    m_lastTick = now;
    checkMinute(now);
}

void Scheduler::ZeittaskPruefen(const QString& entry)
{
    if (entry.isEmpty()) {
        checkMinute(m_ctx.clock.now());
        return;
    }
    guarded(m_ctx.errors, "ZeittaskPruefen", 0, entry, [&] {
        const QDateTime now = m_ctx.clock.now();
        int shown = 0;
        const bool due = isDue(entry, now.date(), &shown);
        if (!due) {
            const QString question =
                QStringLiteral("Zeitstempel\t: ") + minuteKey(now) + QStringLiteral("\rZeile\t\t: ") + entry
                + QStringLiteral("\r\rZeitrythmus\t: ") + QString::number(leadingInt(QStringView(entry).mid(6, 2)))
                + QStringLiteral("\rZeitserie\t\t: ") + QString::number(shown) + QStringLiteral("\r\rErgebniss\t\t: ")
                + QStringLiteral("0") + QStringLiteral("\r\rSoll der Task ausgeführt werden?");
            if (!m_ctx.prompter.ask(question, 2))
                return;
        }
        run(entry);
    });
}

void Scheduler::checkMinute(const QDateTime& minute)
{
    const QString key = minuteKey(minute);
    const QStringList& entries = m_ctx.state.tasks.entries();
    int found = -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).startsWith(key)) {
            found = i;
            break;
        }
    }
    if (m_ctx.state.settings.debug) {
        m_ctx.view.setCaption(m_ctx.clock.now().toString(QStringLiteral("HH:mm:ss"))
                              + QStringLiteral("   Prüfe Zeittasks auf >") + key
                              + QStringLiteral("<    Gefunden in Liste: ") + QString::number(found));
    }
    // Only the first task of a minute is looked at.
    if (found < 0)
        return;
    if (m_ranDay == minute.date() && m_ranKey == key)
        return;
    const QString entry = entries.at(found);
    if (!isDue(entry, minute.date()))
        return;
    m_ranDay = minute.date();
    m_ranKey = key;
    run(entry);
}

void Scheduler::run(const QString& entry)
{
    // No tick while a task runs: runs never overlap.
    m_ctx.state.tmrZeitplaner.stop();
    const QString record = entry.mid(entry.indexOf(QLatin1Char('|'))) + QLatin1Char('|');
    const QString files = DatenPipe(kFileChoice, record);
    const QString kindText = DatenPipe(kKind, record);
    const int kind = SchedulerList::codeOf(kindText);
    if (m_ctx.state.settings.debug) {
        m_ctx.prompter.information(QStringLiteral("Übergabe Parameter: ") + record + QStringLiteral("\r\rAufgabe: ")
                                   + kindText + QStringLiteral(" => ") + QString::number(kind));
    }
    QString taskText = kindText;
    QString path;
    QString outcome;
    try {
        if (kind >= Copy && kind <= Move) {
            runFileTask(SchedulerTask::fieldsOf(record), path);
        } else if (kind == Script) {
            const QString script = DatenPipe(kScript, record);
            if (m_ctx.state.settings.debug)
                m_ctx.prompter.information(QStringLiteral("Scriptbefehl: ") + script);
            taskText = QStringLiteral("Script (4): ") + script;
            if (!m_scripts)
                throw RuntimeError(ErrorCode::InvalidCall, script);
            m_scripts->runScript(script);
        }
        outcome = QStringLiteral("     Pfad: ") + path;
    } catch (const RuntimeError& e) {
        outcome = QStringLiteral("     Fehler: ") + e.description() + QStringLiteral(" => ") + QString::number(e.code());
    } catch (const std::exception&) {
        outcome = QStringLiteral("     Fehler: ") + errorDescription(ErrorCode::Internal) + QStringLiteral(" => ")
                  + QString::number(ErrorCode::Internal);
    }
    writeProtocol(QStringLiteral("    Task: ") + files + QStringLiteral(",  ") + taskText + outcome);
    m_ctx.state.updateSchedulerTimer();
    m_ctx.view.settingsChanged();
}

void Scheduler::runFileTask(const QStringList& fields, QString& path)
{
    const int files = SchedulerList::codeOf(fields.at(kFileChoice - 1));
    const int kind = SchedulerList::codeOf(fields.at(kKind - 1));
    QString folder = fields.at(kFolder - 1);
    // A relative target folder is below the customer data folder, so a task moves with it.
    if (!folder.isEmpty() && !folder.contains(QLatin1Char(':'))
        && QFileInfo(QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/'))).isRelative())
        folder = m_ctx.state.folders.dataDir() + folder;
    if (!folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char('/')))
        folder += folder.contains(QLatin1Char('/')) && !folder.contains(QLatin1Char('\\')) ? QLatin1Char('/')
                                                                                            : QLatin1Char('\\');
    const QString folderOnDisk = AppFolders::findCaseInsensitive(folder);
    if ((kind == Copy || kind == Move) && !QFileInfo(folderOnDisk).isDir()) {
        path = folder + QStringLiteral(" Zielordner nicht bereit => ");
        return;
    }
    const QString stamp = flagSet(fields.at(kStamp - 1))
                              ? m_ctx.clock.now().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss "))
                              : QString();
    const int deleteMode = flagSet(fields.at(kAsk - 1)) ? 1 : 7;
    const bool capture = files == Capture || files == Both;
    const bool monitor = files == Monitor || files == Both;
    {
        FileJobHold hold(m_ctx.state, m_monitor, monitor);
        const QString captureFile = m_ctx.state.settings.capDatei;
        if (capture && !captureFile.isEmpty()) {
            const qsizetype cut = qMax(captureFile.lastIndexOf(QLatin1Char('\\')), captureFile.lastIndexOf(QLatin1Char('/')));
            fileJob(AppFolders::findCaseInsensitive(captureFile), folderOnDisk + stamp + captureFile.mid(cut + 1), kind,
                    deleteMode);
        }
        if (monitor) {
            fileJob(AppFolders::findCaseInsensitive(m_ctx.state.folders.anzeigeDir() + QStringLiteral("monitor.txt")),
                    folderOnDisk + stamp + QStringLiteral("monitor.txt"), kind, deleteMode);
        }
    }
    path = kind == Delete ? QString() : folder;
    if (flagSet(fields.at(kExplorer - 1)) && kind != Delete)
        m_ctx.programs.openFolder(folderOnDisk);
}

void Scheduler::writeProtocol(const QString& text)
{
    const QString file = protocolPath();
    const QString line = protocolStamp(m_ctx.clock.now()) + text;
    guarded(m_ctx.errors, "ZeittaskPruefen", 9, file, [&] {
        QDir().mkpath(QFileInfo(file).absolutePath());
        LineAppender::appendLineTo(file, line);
    });
}

} // namespace tarvex
