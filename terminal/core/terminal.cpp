#include "terminal/core/terminal.h"

#include "shared/daten_pipe.h"
#include "shared/disk_sync.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "shared/text_file.h"
#include "terminal/core/capture_check.h"
#include "terminal/core/connection_control.h"
#include "terminal/core/function_captions.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarvex {

Terminal::Terminal(TerminalState& state, Services services, QObject* parent)
    : QObject(parent),
      m_state(state),
      m_services(services),
      m_errors(services.prompter, services.clock),
      m_settingsFile(state, m_errors),
      m_loader(state, services.prompter, m_errors, m_view),
      m_functions(m_errors),
      m_programs(state, services.shell),
      m_context{state,           services.prompter, services.clock, services.shell, services.port,
                m_errors,        m_settingsFile,    m_loader,       m_functions,    m_bus,
                m_view,          m_programs,        m_help}
{
    m_errors.addResetHook([this] {
        m_state.ackAwaited = 0;
        if (m_view) {
            m_view.setBusyCursor(false);
            m_view.setLamp(Lamp::Knopf, LampImage::GruenDunkel);
            if (m_state.settings.status)
                m_view.setLamp(Lamp::TX, LampImage::BlauDunkel);
        }
    });
    connect(&m_state.tmrQuittung, &QTimer::timeout, this, [this] {
        m_state.ackAwaited = 0;
        m_state.tmrQuittung.stop();
    });
    connect(&m_state.tmrVerzoegert, &QTimer::timeout, this, [this] {
        m_state.tmrVerzoegert.stop();
        VerbindungSteuern(1);
        emit delayedStart();
    });
    describeFunctions(m_functions);
    registerFunctions();
}

bool Terminal::VerbindungSteuern(int mode)
{
    return m_context.m_connection && m_context.connection().VerbindungSteuern(mode);
}

void Terminal::StartVorbereitung()
{
    guarded(m_errors, "StartVorbereitung", 0, m_state.folders.dataDir(), [&] {
        m_state.folders.createDataFolders();
        m_state.controlCharList = TerminalState::kControlCharList;
        IniDateien(1);
        m_state.debugMode = m_state.settings.debug;
        m_state.filter = FilterTable::fromSetting(m_state.settings.filterZ);
    });
}

QString Terminal::menuStructureFile() const
{
    const QString first = AppFolders::findCaseInsensitive(m_state.folders.configDir() + QStringLiteral("Menustruktur00.dat"));
    if (QFileInfo(first).isFile())
        return first;
    return m_state.folders.configDir() + QStringLiteral("Menüstruktur00.dat");
}

void Terminal::loadDataFiles()
{
    const QString dir = m_state.folders.configDir();
    m_loader.DatenIn(1, 1, dir + QStringLiteral("Alarmierungen.dat"));
    m_loader.DatenIn(2, 1, dir + QStringLiteral("StatistikS.dat"));
    m_loader.DatenIn(3, 1, dir + QStringLiteral("StatistikE.dat"));
    if (m_state.sentStats.startText().isEmpty() && m_state.receivedStats.startText().isEmpty()) {
        m_state.sentStats.reset(m_services.clock.now());
        m_state.receivedStats.reset(m_services.clock.now());
    }
    m_loader.DatenIn(4, 1, dir + QStringLiteral("Zeitplaner.dat"));
    m_loader.DatenIn(5, 0, menuStructureFile());
    m_loader.DatenIn(6, 0, dir + QStringLiteral("Scripts.ini"));
}

void Terminal::rotateMonitorFile()
{
    if (!m_state.settings.loeschMon)
        return;
    const QString dir = AppFolders::findCaseInsensitive(m_state.folders.anzeigeDir());
    const QString monitor = AppFolders::findCaseInsensitive(dir + QStringLiteral("monitor.txt"));
    guarded(m_errors, "BildAufbau", 12, monitor, [&] {
        if (!QFileInfo::exists(monitor))
            return;
        const QString target = dir + QStringLiteral("monitor.bak");
        const QString backup = AppFolders::findCaseInsensitive(target);
        // One rename replaces the old backup: there is no moment without monitor.bak.
        if (!DiskSync::replace(monitor, target))
            throw RuntimeError(QFileInfo::exists(backup) ? ErrorCode::PermissionDenied : ErrorCode::PathFileAccess,
                               monitor);
        // An old backup spelt in other letters is a second file on a case-sensitive disk.
        if (backup != target && QFileInfo::exists(backup))
            QFile::remove(backup);
    });
}

void Terminal::checkCaptureDirectory()
{
    tarvex::checkCaptureDirectory(m_state.settings, m_services.prompter);
}

void Terminal::startSession()
{
    if (m_state.settings.sessionL != 2)
        return;
    const QDateTime now = m_services.clock.now();
    m_state.sessionStart = now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
        + now.toString(QStringLiteral("hh:mm:ss"));
}

void Terminal::updateSchedulerTimer()
{
    m_state.updateSchedulerTimer();
}

void Terminal::MasterMessage()
{
    m_state.tmrVerzoegert.setInterval(qMax(0, m_state.settings.verzoegert) * 1000);
    m_state.tmrVerzoegert.start();
    // Both wait for the event loop. The delayed start does not wait for the log-in: the
    // connection opens behind the prompt while it is shown.
    if (m_settingsFile.passwordDamaged())
        QMetaObject::invokeMethod(this, [this] { reportDamagedPassword(); }, Qt::QueuedConnection);
    if (!m_state.settings.passwort.isEmpty() && m_state.settings.passStart)
        QMetaObject::invokeMethod(this, [this] { PrgFunktionen(Fn::Anmelden); }, Qt::QueuedConnection);
}

void Terminal::reportDamagedPassword()
{
    m_services.prompter.message(
        QStringLiteral("Sicherheitshinweis"),
        QStringLiteral("Das gespeicherte Passwort in kunde.ini ist beschädigt\roder wurde von Hand geändert und kann nicht\r"
                       "gelesen werden.\r\rDas Programm läuft ohne Passwortschutz, bis Sie\r"
                       "unter Optionen ein neues Passwort anlegen."),
        BoxButtons::Ok, BoxIcon::Exclamation);
}

void Terminal::writeStatistics()
{
    const QString dir = m_state.folders.configDir();
    guarded(m_errors, "ProgrammEnde", 0, dir, [&] {
        TextFile::writeLinesAtomic(AppFolders::findCaseInsensitive(dir + QStringLiteral("StatistikS.dat")),
                                   m_state.sentStats.fileLines());
        TextFile::writeLinesAtomic(AppFolders::findCaseInsensitive(dir + QStringLiteral("StatistikE.dat")),
                                   m_state.receivedStats.fileLines());
    });
}

void Terminal::ProgrammEnde(int mode)
{
    KundeSettings& s = m_state.settings;
    if (!s.prgNoEnd && mode == 1) {
        if (!m_services.prompter.ask(QStringLiteral("Wollen Sie ") + TerminalState::kTitle + QStringLiteral(" beenden?")))
            return;
        m_state.endRequest = true;
        mode = 0;
    }
    if (s.prgNoEnd)
        mode = 0;
    if (mode != 0)
        return;
    if (m_view) {
        const QRect g = m_view.windowGeometry();
        s.startX = g.x();
        s.startY = g.y();
        s.startB = g.width();
        s.startH = g.height();
    }
    if (s.koordinate)
        IniDateien(2);
    writeStatistics();
    QDir::setCurrent(m_state.folders.programDir());
    m_state.endRequest = true;
    emit endRequested();
}

void Terminal::toggleOption(bool& option, const QString& name)
{
    option = !option;
    m_view.settingsChanged();
    m_services.prompter.information(QStringLiteral("Option '") + name
                                    + (option ? QStringLiteral("' ist aktiviert.") : QStringLiteral("' ist deaktiviert.")));
}

void Terminal::toggleEchoOption()
{
    // DatenEcho set means the echo is off.
    toggleOption(m_state.settings.datenEcho, QStringLiteral("Echo aus"));
}

void Terminal::toggleHexOption()
{
    toggleOption(m_state.settings.hexWerte, QStringLiteral("HEX-Anzeige"));
}

void Terminal::registerFunctions()
{
    m_functions.add(Fn::ProgrammEnde, [this] { ProgrammEnde(1); });
    m_functions.add(Fn::StatusLampen, [this] {
        m_state.settings.status = !m_state.settings.status;
        m_view.settingsChanged();
        IniDateien(2);
    });
    m_functions.setCheckRule(Fn::StatusLampen, [this] { return m_state.settings.status; });
    m_functions.setCheckRule(Fn::SessionAnzeige, [this] { return m_state.settings.session; });
}

} // namespace tarvex
