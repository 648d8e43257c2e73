#include "zendor/funktion_dialog_datei.h"

#include "shared/daten_pipe.h"
#include "shared/profile_store.h"
#include "zendor/error_report.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"

namespace zendor {

void FunktionDialogDatei::run(const QString& record)
{
    const QString module =
        m_kind == Kind::Open ? QStringLiteral("FunktionDialogOpen") : QStringLiteral("FunktionDialogSave");
    ErrorReport::guarded(m_ctx, module, record, [&] { show(record); });
}

void FunktionDialogDatei::show(const QString& record)
{
    m_ctx.armLifetimeTimer();
    const QString initial = DatenPipe(2, record);
    const QString extension = DatenPipe(4, record);
    FileDialogRequest req;
    req.kind = m_kind == Kind::Open ? FileDialogKind::Open : FileDialogKind::Save;
    req.title = DatenPipe(6, record);
    req.startDir = ZendorPaths::toNative(m_ctx.programDir() + DatenPipe(8, record));
    req.fileName = initial;
    req.defaultExtension = extension;
    // The caller decides what becomes of an existing file; the dialog only picks the name.
    req.confirmOverwrite = false;
    // Without an extension the first entry offers every file ("*." would match none).
    const QString openPattern = extension.isEmpty() ? QStringLiteral("*") : QStringLiteral("*.") + extension;
    req.filter = m_kind == Kind::Open ? QStringLiteral("Dateien|") + openPattern + QStringLiteral("|Alle Dateien|*.*")
                                      : QStringLiteral("Dateien|*.dat|Alle Dateien|*.*");
    const QStringList chosen = m_ctx.prompter().fileDialog(req);
    // A cancelled dialog hands back the initial name as it was given.
    const QString result = chosen.isEmpty() ? initial : ZendorPaths::forCaller(chosen.first());

    if (m_kind == Kind::Open)
        m_ctx.diagnosticBox(QStringLiteral("Ergbnis: ") + result + QStringLiteral("Sichern nach: ") + m_ctx.settingsPath());
    else
        m_ctx.diagnosticBox(QStringLiteral("Ergbnis: ") + result + QStringLiteral("\r\rSichern nach: ")
                            + m_ctx.settingsPath());
    ProfileStore(m_ctx.dataDir())
        .IniString(2, m_ctx.settingsFileName(), QStringLiteral("ZENDOR"), QStringLiteral("Dateiname"), result);
}

} // namespace zendor
