#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Functions 1 and 2: the open-file and save-file dialogs. The result goes to key
// "Dateiname" of section "ZENDOR" in tarvex.ini, also when the user cancels.
class FunktionDialogDatei
{
public:
    enum class Kind { Open, Save };

    FunktionDialogDatei(const ZendorContext& ctx, Kind kind) : m_ctx(ctx), m_kind(kind) {}
    void run(const QString& record);

private:
    void show(const QString& record);

    const ZendorContext& m_ctx;
    Kind m_kind;
};

} // namespace zendor
