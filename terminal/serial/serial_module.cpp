#include "terminal/serial/serial_module.h"

#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"
#include "terminal/serial/port_choices.h"

#include <QFileInfo>

namespace tarvex {

namespace {

constexpr int kReconnectPollMs = 1000;

} // namespace

SerialModule::SerialModule(TerminalContext& context)
    : m_ctx(context),
      m_line(context.state, context.port, context.prompter, context.clock, context.errors, context.view),
      m_sender(context.state, m_line, context.bus, context.prompter, context.clock, context.errors, context.view),
      m_parameterSets(context.state, context.prompter, context.errors)
{
    m_ctx.setConnection(this);
    registerFunctions();
    m_reconnectTimer.setObjectName(QStringLiteral("frm1_tmrWiederverbinden"));
    m_reconnectTimer.setInterval(kReconnectPollMs);
    QObject::connect(&m_reconnectTimer, &QTimer::timeout, [this] { tryReopen(); });
}

bool SerialModule::VerbindungSteuern(int mode)
{
    // Whoever opens or closes the connection takes over from a wait for a vanished port.
    stopWaiting();
    if (mode == 1 && m_ctx.state.connectionActive)
        return true;
    const bool open = m_line.VerbindungSteuern(mode);
    for (const auto& observer : m_connectionObservers)
        observer(open);
    return open;
}

void SerialModule::connectionLost()
{
    VerbindungSteuern(2);
    const QString lost = lostText();
    if (!m_ctx.state.settings.wiederverbinden || m_ctx.state.endRequest) {
        m_ctx.view.setStatusText(1, lost);
        return;
    }
    m_lostPort = m_line.devicePath(m_ctx.state.settings.com);
    m_waitingForPort = true;
    m_reconnectTimer.start();
    m_ctx.view.setStatusText(1, lost + QStringLiteral(" Warte auf ") + m_lostPort + QStringLiteral("..."));
}

QString SerialModule::lostText() const
{
    return QStringLiteral("     COM ") + QString::number(m_ctx.state.settings.com)
        + QStringLiteral(" Verbindung unterbrochen!");
}

void SerialModule::stopWaiting()
{
    m_waitingForPort = false;
    m_reconnectTimer.stop();
}

void SerialModule::tryReopen()
{
    const TerminalState& state = m_ctx.state;
    if (!m_waitingForPort || state.connectionActive || state.endRequest) {
        stopWaiting();
        return;
    }
    if (!state.settings.wiederverbinden) {
        // Switched off meanwhile: the status no longer promises a wait.
        stopWaiting();
        m_ctx.view.setStatusText(1, lostText());
        return;
    }
    // The settle time after opening runs the event loop: no second attempt meanwhile.
    m_reconnectTimer.stop();
    if (!m_line.reopen()) {
        if (m_waitingForPort)
            m_reconnectTimer.start();
        return;
    }
    m_waitingForPort = false;
    for (const auto& observer : m_connectionObservers)
        observer(true);
    m_ctx.view.setStatusText(1, QStringLiteral("Verbindung wiederhergestellt: ") + m_lostPort);
}

void SerialModule::reconnect()
{
    VerbindungSteuern(2);
    m_ctx.clock.wait(0);
    VerbindungSteuern(1);
    m_ctx.view.settingsChanged();
}

void SerialModule::loadParameterSet(const QString& file)
{
    const QString record = m_parameterSets.ParameterInOut(1, file);
    if (record.isEmpty())
        return;
    ParameterSet::applyPortRecord(record, m_ctx.state.settings);
    m_ctx.state.debugMode = m_ctx.state.settings.debug;
    m_ctx.view.settingsChanged();
    if (!m_ctx.state.scriptGroupFile.isEmpty())
        scriptGroupNamed(m_ctx.state.scriptGroupFile);
    reconnect();
}

void SerialModule::scriptGroupNamed(const QString& group)
{
    for (const auto& observer : m_groupObservers)
        observer(group);
}

void SerialModule::registerFunctions()
{
    FunctionTable& f = m_ctx.functions;
    TerminalState& state = m_ctx.state;
    Prompter& prompter = m_ctx.prompter;
    f.add(Fn::VerbindungBeenden, [this, &prompter] {
        if (prompter.ask(QStringLiteral("Wollen Sie die aktive Verbindung beenden?")))
            VerbindungSteuern(2);
    });
    f.add(Fn::VerbindungReset, [this, &prompter] {
        if (prompter.ask(QStringLiteral("Wollen Sie die aktive Verbindung reseten?"))) {
            VerbindungSteuern(2);
            VerbindungSteuern(1);
        }
    });
    f.add(Fn::ParameterLaden, [this] { loadParameterSet(QString()); });
    f.add(Fn::ParameterSichern, [this, &state] {
        m_parameterSets.ParameterInOut(2, state.folders.dataDir() + PortChoices::parameterSetName(state.settings));
    });
    f.addRange({120, 121, 122, 123, 124, 125, 126, 127, 128, 129}, [this, &state, &prompter](int n) {
        const QStringList sets = m_parameterSets.availableSets();
        const QString name = sets.value(n - Fn::ParameterSatz0);
        const QString path = state.folders.dataDir() + name;
        if (name.isEmpty() || !QFileInfo(path).isFile()) {
            prompter.information(QStringLiteral("Parameterdatei\r\r") + name + QStringLiteral("\r\rnicht verfügbar."));
            return;
        }
        loadParameterSet(path);
    });
    f.add(Fn::DateiWaehlenUndSenden, [this] { m_sender.chooseAndSendFile(); });
    f.add(Fn::DateiSenden, [this, &state] {
        if (state.settings.dateiLast.isEmpty())
            m_sender.chooseAndSendFile();
        else
            m_sender.DateiSenden(1, state.settings.dateiLast);
    });
    f.add(Fn::DateiSendenHinweis, [this, &state, &prompter] {
        prompter.information(
            QStringLiteral("Zum Senden einer Textdatei ziehen Sie die gewünschten Dateien einfach\r"
                           "per Drag+Drop auf die graue Oberfläche des Terminalprogramms."));
        m_ctx.programs.openFolder(state.folders.programDir());
    });
    // Greyed while no connection is open.
    // Everything that needs the open port is grey without it, also the functions whose
    // subsystems register them later (their entries keep this rule).
    for (int n : {Fn::VerbindungBeenden, Fn::VerbindungReset, Fn::DateiWaehlenUndSenden, Fn::DateiSenden,
                  Fn::BinaerSenden, Fn::BinaerEmpfangen, Fn::DateiSendenHinweis, Fn::ZeichenSenden, Fn::Modem305,
                  Fn::Telefonbuch, Fn::Modem316, Fn::AnrufAnnehmen, Fn::Modem341, Fn::Dauertest})
        f.setEnabledRule(n, [&state] { return state.connectionActive; });
    f.setCheckRule(Fn::AnrufAnnehmen, [&state] { return state.settings.anruf; });
}

} // namespace tarvex
