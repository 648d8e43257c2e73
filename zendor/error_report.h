#pragma once

#include "shared/platform/prompter.h"

#include <QString>

namespace zendor {

class ZendorContext;

// The run-time error report of zendor: caption "Systemfehler ZENDOR " + version, the
// module, the reason, a number of the failing procedure, the value it worked on and the
// program folder.
class ErrorReport
{
public:
    static MessageRequest build(const QString& module, const QString& reason, const QString& number,
                                const QString& value, const QString& programDir);
    static void show(const ZendorContext& ctx, const QString& module, int code, const QString& number,
                     const QString& value);

    // Runs body; a RuntimeError or any other exception inside it ends it with the report.
    // Returns false when the report was shown.
    template <typename Body>
    static bool guarded(const ZendorContext& ctx, const QString& module, const QString& value, Body&& body);

private:
    static void showCurrent(const ZendorContext& ctx, const QString& module, const QString& value);
};

template <typename Body>
bool ErrorReport::guarded(const ZendorContext& ctx, const QString& module, const QString& value, Body&& body)
{
    try {
        body();
        return true;
    } catch (...) {
        showCurrent(ctx, module, value);
        return false;
    }
}

} // namespace zendor
