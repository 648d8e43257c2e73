#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Function 3: the folder dialog. The result goes to key "Ordnername" of section
// "ZENDOR" in tarvex.ini; empty when the user cancels.
class FunktionDialogOrdner
{
public:
    explicit FunktionDialogOrdner(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

private:
    void show(const QString& record);

    const ZendorContext& m_ctx;
};

} // namespace zendor
