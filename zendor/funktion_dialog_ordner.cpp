#include "zendor/funktion_dialog_ordner.h"

#include "shared/daten_pipe.h"
#include "shared/profile_store.h"
#include "zendor/error_report.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"

namespace zendor {

void FunktionDialogOrdner::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionDialogOrdner"), record, [&] { show(record); });
}

void FunktionDialogOrdner::show(const QString& record)
{
    m_ctx.armLifetimeTimer();
    FileDialogRequest req;
    req.kind = FileDialogKind::Folder;
    req.title = DatenPipe(6, record);
    const QStringList chosen = m_ctx.prompter().fileDialog(req);
    const QString result = chosen.isEmpty() ? QString() : ZendorPaths::forCaller(chosen.first());
    m_ctx.diagnosticBox(QStringLiteral("Ergebnis Ordner: ") + result);
    ProfileStore(m_ctx.dataDir())
        .IniString(2, m_ctx.settingsFileName(), QStringLiteral("ZENDOR"), QStringLiteral("Ordnername"),
                   ZendorPaths::withoutTrailingSeparator(result));
}

} // namespace zendor
