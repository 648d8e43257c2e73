#include "terminal/core/error_report.h"

#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/runtime_error.h"

namespace tarvex {

ErrorReport::ErrorReport(Prompter& prompter, const Clock& clock)
    : m_prompter(prompter), m_clock(clock)
{
}

QString ErrorReport::caption(const QDateTime& when)
{
    return QStringLiteral("Systemfehler ") + when.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
        + when.toString(QStringLiteral("hh:mm:ss"));
}

QString ErrorReport::text(int code, const QString& module, const QString& numericArgument, const QString& value)
{
    return QStringLiteral("Modul: ") + module + QStringLiteral("\r\rGrund: ") + errorDescription(code)
        + QStringLiteral("   (Code: ") + QString::number(code) + QStringLiteral(")\r\r") + numericArgument
        + QStringLiteral("\r\rWert: ") + value;
}

void ErrorReport::FehlerMeldung(int code, const QString& module, const QString& numericArgument,
                                const QString& value)
{
    for (const auto& hook : m_hooks)
        hook();
    m_prompter.message(caption(m_clock.now()), text(code, module, numericArgument, value), BoxButtons::Ok,
                       BoxIcon::Exclamation);
}

} // namespace tarvex
