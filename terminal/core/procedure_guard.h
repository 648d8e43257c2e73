#pragma once

// Included by error_report.h only.

#include "shared/runtime_error.h"

#include <new>

namespace tarvex {

inline QString guardNumberText(double n)
{
    return QString::number(n, 'g', 15);
}

template <typename Body>
bool guarded(ErrorReport& report, const char* module, double numericArgument, const QString& value,
             Body&& body)
{
    const QString name = QString::fromUtf8(module);
    try {
        body();
        return true;
    } catch (const RuntimeError& e) {
        const QString v = e.detail().isEmpty() ? value : value + QLatin1Char('/') + e.detail();
        report.FehlerMeldung(e.code(), name, guardNumberText(numericArgument), v);
    } catch (const std::bad_alloc&) {
        report.FehlerMeldung(ErrorCode::OutOfMemory, name, guardNumberText(numericArgument), value);
    } catch (const std::exception& e) {
        report.FehlerMeldung(ErrorCode::Internal, name, guardNumberText(numericArgument),
                             value + QLatin1Char('/') + QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace tarvex
