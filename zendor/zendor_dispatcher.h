#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Start-up and dispatch: reads the diagnostics switch and the function number from the
// record and runs the function of that number; unknown numbers get the information box.
class ZendorDispatcher
{
public:
    explicit ZendorDispatcher(ZendorContext& ctx) : m_ctx(ctx) {}

    // The function number of a record: field 1 as a number, rounded.
    static int functionNumber(const QString& record);
    static bool diagnosticsOf(const QString& record);
    static QString aboutText();

    void run(const QString& record);

private:
    void dispatch(int number, const QString& record);

    ZendorContext& m_ctx;
};

} // namespace zendor
