#include "zendor/error_report.h"

#include "shared/runtime_error.h"
#include "zendor/zendor_context.h"

#include <new>

namespace zendor {

MessageRequest ErrorReport::build(const QString& module, const QString& reason, const QString& number,
                                  const QString& value, const QString& programDir)
{
    MessageRequest r;
    r.caption = QStringLiteral("Systemfehler ZENDOR ") + ZendorContext::versionText();
    r.text = QStringLiteral("Modul: ") + module + QStringLiteral("\r\rGrund: ") + reason + QStringLiteral("\r\r")
        + number + QStringLiteral("\r\rWert: ") + value + QStringLiteral("\r\rPfad: ") + programDir;
    r.buttons = BoxButtons::Ok;
    r.icon = BoxIcon::Exclamation;
    return r;
}

void ErrorReport::show(const ZendorContext& ctx, const QString& module, int code, const QString& number,
                       const QString& value)
{
    ctx.prompter().message(build(module, errorDescription(code), number, value, ctx.programDir()));
}

void ErrorReport::showCurrent(const ZendorContext& ctx, const QString& module, const QString& value)
{
    // The function procedures are called with the number 0, which the report shows.
    const QString number = QStringLiteral("0");
    try {
        throw;
    } catch (const RuntimeError& e) {
        QString reason = e.description();
        if (!e.detail().isEmpty())
            reason += QStringLiteral(" (") + e.detail() + QLatin1Char(')');
        ctx.prompter().message(build(module, reason, number, value, ctx.programDir()));
    } catch (const std::bad_alloc&) {
        show(ctx, module, ErrorCode::OutOfMemory, number, value);
    } catch (...) {
        show(ctx, module, ErrorCode::Internal, number, value);
    }
}

} // namespace zendor
