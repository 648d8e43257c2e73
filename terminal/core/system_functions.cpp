#include "terminal/core/system_functions.h"

#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "shared/runtime_error.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/kunde_ini.h"
#include "terminal/core/maker_addresses.h"
#include "terminal/core/system_programs.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

namespace tarvex {

SystemFunctions::SystemFunctions(TerminalContext& context) : m_ctx(context)
{
    FunctionTable& f = m_ctx.functions;
    const TerminalState& state = m_ctx.state;
    const HelperPrograms& programs = m_ctx.programs;
    f.add(Fn::ProgrammOrdner, [&] { programs.openFolder(state.folders.programDir()); });
    f.add(Fn::KundenOrdner, [&] { programs.openFolder(state.folders.dataDir()); });
    f.add(Fn::CaptureOrdner, [&] { programs.openFolder(state.folders.captureDir()); });
    f.add(Fn::MailOhneEmpfaenger, [&] { programs.startZendor(QStringLiteral("|9||||")); });
    f.add(Fn::SupportMail, [&] {
        programs.startZendor(QStringLiteral("|4|") + Maker::supportMail() + QStringLiteral("|||Supportanfrage für ")
                             + TerminalState::kTitle + QStringLiteral("  ") + TerminalState::kVersion
                             + QStringLiteral("|||1/1|") + KundeIni::boolText(state.debugMode) + QStringLiteral(" | "));
    });
    f.addRange({Fn::Systemsteuerung, 615, 617, 625, 627, 635, 637, 639, 641, 655, 675, Fn::Taschenrechner,
                Fn::Zwischenablage},
               [this](int n) { startSystemProgram(n); });
    f.add(Fn::Editor, [&] { programs.startEditor(QString()); });
    Shell& shell = m_ctx.shell;
    f.add(Fn::Webseite, [&shell] { shell.openUrl(Maker::webSite()); });
    f.add(Fn::WebSupport, [&shell] { shell.openUrl(Maker::webSite() + QStringLiteral("support")); });
    f.add(Fn::WebDownload, [&shell] { shell.openUrl(Maker::webSite() + QStringLiteral("download")); });
}

void SystemFunctions::startSystemProgram(int number)
{
    const SystemPrograms::Entry* entry = SystemPrograms::forFunction(number);
    if (!entry || SystemPrograms::start(m_ctx.shell, *entry))
        return;
    if (number == Fn::Taschenrechner || number == Fn::Zwischenablage) {
        m_ctx.prompter.message(QStringLiteral("´Sicherheitshinweis"),
                               QStringLiteral("Fehler bei Zugriff auf >") + entry->windowsName
                                   + QStringLiteral("<.\r\rAusführung des Programmes nicht möglich!"),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    throw RuntimeError(ErrorCode::FileNotFound, entry->windowsName);
}

} // namespace tarvex
