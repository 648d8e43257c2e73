#include "terminal/core/terminal.h"

#include "shared/daten_pipe.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "shared/text_file.h"
#include "terminal/core/port_choices.h"
#include "terminal/core/serial_line.h"
#include "terminal/core/system_programs.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/terminal_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSupportMail = QStringLiteral("support@tarvex.example");
const QString kWebBase = QStringLiteral("https://www.tarvex.example/");

} // namespace

Terminal::Terminal(TerminalState& state, Services services, QObject* parent)
    : QObject(parent),
      m_state(state),
      m_services(services),
      m_errors(services.prompter, services.clock),
      m_ini(state.folders.dataDir() + QStringLiteral("kunde.ini")),
      m_loader(state, services.prompter, m_errors),
      m_functions(m_errors),
      m_serial(state, services.port, services.prompter, services.clock, m_errors),
      m_delivery(state, services.clock, m_errors),
      m_pipeline(state, services.port, m_serial, m_errors, services.clock),
      m_sender(state, m_serial, m_delivery, services.prompter, services.clock, m_errors),
      m_parameterSets(state, services.prompter, m_errors)
{
    m_pipeline.setListener(&m_delivery);
    connect(&m_state.tmrSeriell, &QTimer::timeout, this, [this] {
        m_pipeline.SeriellLesen();
        if (m_state.connectionActive && m_services.port.lost())
            connectionLost();
    });
    m_errors.addResetHook([this] {
        m_state.ackAwaited = 0;
        if (m_view) {
            m_view->setBusyCursor(false);
            m_view->setLamp(Lamp::Knopf, LampImage::GruenDunkel);
            if (m_state.settings.status)
                m_view->setLamp(Lamp::TX, LampImage::BlauDunkel);
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
    registerFunctions();
}

void Terminal::setView(TerminalView* view)
{
    m_view = view;
    m_loader.setView(view);
    m_serial.setView(view);
    m_delivery.setView(view);
    m_sender.setView(view);
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
        const QString backup = AppFolders::findCaseInsensitive(dir + QStringLiteral("monitor.bak"));
        if (QFileInfo::exists(backup) && !QFile::remove(backup))
            throw RuntimeError(ErrorCode::PermissionDenied, backup);
        if (!QFile::rename(monitor, dir + QStringLiteral("monitor.bak")))
            throw RuntimeError(ErrorCode::PathFileAccess, monitor);
    });
}

void Terminal::checkCaptureDirectory()
{
    KundeSettings& s = m_state.settings;
    if (!s.capture)
        return;
    QString name = s.capDatei;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const qsizetype cut = name.lastIndexOf(QLatin1Char('\\'));
    const QString dirShown = cut < 0 ? QString() : s.capDatei.left(cut);
    if (!dirShown.isEmpty() && QFileInfo(AppFolders::findCaseInsensitive(dirShown)).isDir())
        return;
    m_services.prompter.message(
        QStringLiteral("Information"),
        QStringLiteral("Capture Datei kann nicht angelegt werden,\rda der Zielordner \r\r") + dirShown
            + QStringLiteral("\r\rnicht existiert.\r\rIm Menü Eigenschaften => Verbindung können Sie die\r"
                             "Einstellungen korrigieren."),
        BoxButtons::Ok, BoxIcon::Exclamation);
    s.capture = false;
    s.capDatei.clear();
}

bool Terminal::VerbindungSteuern(int mode)
{
    if (mode == 1 && m_state.connectionActive)
        return true;
    const bool open = m_serial.VerbindungSteuern(mode);
    if (open && !m_delivery.monitorOpen())
        m_delivery.openMonitor();
    else if (!open)
        m_delivery.closeMonitor();
    return open;
}

void Terminal::connectionLost()
{
    // The device went away: close in order, keep everything received, say so.
    VerbindungSteuern(2);
    if (m_view)
        m_view->setStatusText(1, QStringLiteral("     COM ") + QString::number(m_state.settings.com)
                                     + QStringLiteral(" Verbindung unterbrochen!"));
}

void Terminal::reconnect()
{
    VerbindungSteuern(2);
    m_services.clock.wait(0);
    VerbindungSteuern(1);
    emit connectionSettingsChanged();
}

void Terminal::loadParameterSet(const QString& file)
{
    const QString record = m_parameterSets.ParameterInOut(1, file);
    if (record.isEmpty())
        return;
    ParameterSet::applyPortRecord(record, m_state.settings);
    m_state.debugMode = m_state.settings.debug;
    if (m_view)
        m_view->settingsChanged();
    reconnect();
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
    m_state.tmrZeitplaner.setInterval(60000);
    if (m_state.tasks.isEmpty())
        m_state.tmrZeitplaner.stop();
    else if (!m_state.tmrZeitplaner.isActive())
        m_state.tmrZeitplaner.start();
}

void Terminal::MasterMessage()
{
    m_state.tmrVerzoegert.setInterval(qMax(0, m_state.settings.verzoegert) * 1000);
    m_state.tmrVerzoegert.start();
}

void Terminal::IniDateien(int mode)
{
    // A failed write is reported: settings the user changed must not vanish silently.
    guarded(m_errors, "IniDateien", mode, m_ini.path(), [&] { m_ini.IniDateien(mode, m_state.settings); });
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
        const QRect g = m_view->windowGeometry();
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

QString Terminal::connectionText() const
{
    const KundeSettings& s = m_state.settings;
    return QStringLiteral("COM ") + QString::number(s.com) + QStringLiteral("   ") + QString::number(s.baudrate)
        + QLatin1Char(',') + PortFraming::of(s).text() + QStringLiteral("   End = ") + QString::number(s.endzeichen);
}

QString Terminal::receivedLinesToolTip() const
{
    return QStringLiteral("Empfangene Zeilen (Anzeige max.") + QString::number(m_state.settings.maxZeilen)
        + QStringLiteral(" Zeilen)");
}

QString Terminal::captureToolTip() const
{
    return QStringLiteral("Capture-Datei: ") + m_state.settings.capDatei;
}

QString Terminal::captureText() const
{
    return m_state.settings.capture ? QStringLiteral("Capture") : QStringLiteral("No Capture");
}

QStringList Terminal::scriptBarItems() const
{
    QStringList items;
    for (int i = 1; i < ScriptTable::kSlots; ++i) {
        const QString& record = m_state.scripts.slot(i);
        if (!record.isEmpty())
            items.append(QStringLiteral("%1 ").arg(i, 2, 10, QLatin1Char('0')) + DatenPipe(1, record));
    }
    return items;
}

void Terminal::toggleOption(bool& option, const QString& name)
{
    option = !option;
    if (m_view)
        m_view->settingsChanged();
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

QString Terminal::helperProgram(const QString& baseName) const
{
#ifdef Q_OS_WIN
    return m_state.folders.programDir() + baseName + QStringLiteral(".exe");
#else
    return m_state.folders.programDir() + baseName;
#endif
}

void Terminal::startEditor(const QString& file)
{
    const QString editor = helperProgram(QStringLiteral("quillet"));
    if (!m_services.shell.startProgram(editor, file.isEmpty() ? QStringList() : QStringList{file}))
        throw RuntimeError(ErrorCode::FileNotFound, editor);
}

void Terminal::openFolder(const QString& dir)
{
    const QString path = AppFolders::findCaseInsensitive(dir);
    if (!m_services.shell.openFolder(path))
        throw RuntimeError(QFileInfo(path).isDir() ? ErrorCode::PathFileAccess : ErrorCode::PathNotFound, path);
}

void Terminal::startSystemProgram(int number)
{
    const SystemPrograms::Entry* entry = SystemPrograms::forFunction(number);
    if (!entry || SystemPrograms::start(m_services.shell, *entry))
        return;
    if (number == 701 || number == 795) {
        m_services.prompter.message(QStringLiteral("´Sicherheitshinweis"),
                                    QStringLiteral("Fehler bei Zugriff auf >") + entry->windowsName
                                        + QStringLiteral("<.\r\rAusführung des Programmes nicht möglich!"),
                                    BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    throw RuntimeError(ErrorCode::FileNotFound, entry->windowsName);
}

void Terminal::resetAlarmCounters()
{
    if (!m_services.prompter.ask(QStringLiteral("Sollen die Zähler aller Alarmmeldungen auf Null gesetzt werden!?"), 2))
        return;
    // The counters live only in the active list; loading it again starts them at 0.
    m_loader.DatenIn(1, 1, m_state.folders.configDir() + QStringLiteral("Alarmierungen.dat"));
    m_services.prompter.information(QStringLiteral("Häufigkeitszähler der Alarme gelöscht."));
}

void Terminal::registerFunctions()
{
    ProgramFunctions& f = m_functions;
    f.add(115, [this] { openFolder(m_state.folders.programDir()); });
    f.add(116, [this] { openFolder(m_state.folders.dataDir()); });
    f.add(117, [this] { openFolder(m_state.folders.captureDir()); });
    f.add(149, [this] { ProgrammEnde(1); });
    f.add(172, [this] {
        const QString zendor = helperProgram(QStringLiteral("zendor"));
        if (!m_services.shell.startProgram(zendor, {QStringLiteral("|9||||")}))
            throw RuntimeError(ErrorCode::FileNotFound, zendor);
    });
    f.add(926, [this] {
        const QString zendor = helperProgram(QStringLiteral("zendor"));
        const QString record = QStringLiteral("|4|") + kSupportMail + QStringLiteral("|||Supportanfrage für ")
            + TerminalState::kTitle + QStringLiteral("  ") + TerminalState::kVersion + QStringLiteral("|||1/1|")
            + KundeIni::boolText(m_state.debugMode) + QStringLiteral(" | ");
        if (!m_services.shell.startProgram(zendor, {record}))
            throw RuntimeError(ErrorCode::FileNotFound, zendor);
    });
    f.add(202, [this] {
        if (m_services.prompter.ask(QStringLiteral("Wollen Sie die aktive Verbindung beenden?")))
            VerbindungSteuern(2);
    });
    f.add(203, [this] {
        if (m_services.prompter.ask(QStringLiteral("Wollen Sie die aktive Verbindung reseten?"))) {
            VerbindungSteuern(2);
            VerbindungSteuern(1);
        }
    });
    f.add(105, [this] { loadParameterSet(QString()); });
    f.add(106, [this] {
        m_parameterSets.ParameterInOut(2, m_state.folders.dataDir() + PortChoices::parameterSetName(m_state.settings));
    });
    f.addRange({120, 121, 122, 123, 124, 125, 126, 127, 128, 129}, [this](int n) {
        const QStringList sets = m_parameterSets.availableSets();
        const QString name = sets.value(n - 120);
        const QString path = m_state.folders.dataDir() + name;
        if (name.isEmpty() || !QFileInfo(path).isFile()) {
            m_services.prompter.information(QStringLiteral("Parameterdatei\r\r") + name + QStringLiteral("\r\rnicht verfügbar."));
            return;
        }
        loadParameterSet(path);
    });
    f.add(210, [this] { m_sender.chooseAndSendFile(); });
    f.add(211, [this] {
        if (m_state.settings.dateiLast.isEmpty())
            m_sender.chooseAndSendFile();
        else
            m_sender.DateiSenden(1, m_state.settings.dateiLast);
    });
    f.add(220, [this] {
        m_services.prompter.information(
            QStringLiteral("Zum Senden einer Textdatei ziehen Sie die gewünschten Dateien einfach\r"
                           "per Drag+Drop auf die graue Oberfläche des Terminalprogramms."));
        openFolder(m_state.folders.programDir());
    });
    f.add(240, [this] {
        m_state.settings.status = !m_state.settings.status;
        if (m_view)
            m_view->settingsChanged();
        IniDateien(2);
    });
    f.addRange({605, 615, 617, 625, 627, 635, 637, 639, 641, 655, 675, 701, 795},
               [this](int n) { startSystemProgram(n); });
    f.add(732, [this] { startEditor(QString()); });
    const auto protocol = [this](const char* name) {
        return AppFolders::findCaseInsensitive(m_state.folders.captureDir() + QString::fromUtf8(name));
    };
    f.addRange({761, 762}, [this, protocol](int) { startEditor(protocol("zeitplanerprotokoll.txt")); });
    f.add(775, [this, protocol] { startEditor(protocol("alarmprotokoll.txt")); });
    f.add(771, [this] { resetAlarmCounters(); });
    f.add(925, [this] { m_services.shell.openUrl(kWebBase); });
    f.add(931, [this] { m_services.shell.openUrl(kWebBase + QStringLiteral("support")); });
    f.add(935, [this] { m_services.shell.openUrl(kWebBase + QStringLiteral("download")); });
}
