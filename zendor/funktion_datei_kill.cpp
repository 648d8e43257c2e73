#include "zendor/funktion_datei_kill.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "zendor/bool_text.h"
#include "zendor/error_report.h"
#include "zendor/file_ops.h"
#include "zendor/progress_view.h"
#include "zendor/wildcard_files.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"

#include <QFileInfo>

namespace zendor {

void FunktionDateiKill::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionDateiKill"), record, [&] { killAll(record); });
}

void FunktionDateiKill::killAsking(const QString& path) const
{
    const BoxAnswer a = m_ctx.prompter().message(
        QStringLiteral("Sicherheitsabfrage"),
        QStringLiteral("Wollen Sie die Datei\r\r") + path + QStringLiteral("\r\rwirklich löschen!?"), BoxButtons::YesNo,
        BoxIcon::Exclamation, 2);
    if (a == BoxAnswer::Yes)
        FileOps::remove(path);
}

void FunktionDateiKill::killAll(const QString& record)
{
    const QString folderArg = DatenPipe(2, record, QStringLiteral("!"));
    const QString filter = DatenPipe(3, record, QStringLiteral("!"));
    const bool doDelete = leadingNumber(DatenPipe(4, record)) != 0;
    const bool ask = leadingNumber(DatenPipe(5, record)) != 0;
    const bool summary = leadingNumber(DatenPipe(6, record)) != 0;
    const bool progress = leadingNumber(DatenPipe(7, record)) != 0;

    const QString folder =
        folderArg.isEmpty() ? QString() : m_ctx.resolvePath(ZendorPaths::withoutTrailingSeparator(folderArg), false);
    const bool folderExists = !folder.isEmpty() && QFileInfo(folder).isDir();

    m_ctx.diagnosticBox(QStringLiteral("Zielordner: ") + folder + QStringLiteral("\rDateien: ") + filter
                        + QStringLiteral("\r\rLöschen: ") + BoolText::word(doDelete)
                        + QStringLiteral("\rSicherheitsabfrage: ") + BoolText::word(ask)
                        + QStringLiteral("\rZusammenfassung: ") + BoolText::word(summary)
                        + QStringLiteral("\r\rExistiert Ziel? ") + BoolText::word(folderExists));
    if (folder.isEmpty() || filter.isEmpty())
        return;
    // A filter is a name inside the folder; it must not reach into other folders.
    if (!ZendorPaths::isPlainFileName(filter)) {
        m_ctx.prompter().message(QStringLiteral("Sicherheitshinweis"),
                                 QStringLiteral("Der Dateifilter darf keinen Ordner enthalten:\r\r") + filter,
                                 BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }

    ProgressScope progressWindow(progress ? m_ctx.progressView() : nullptr,
                                       QStringLiteral("KillFile - ") + ZendorContext::versionText(),
                                       QStringLiteral("Bitte warten! Löschvorgang läuft..."));
    ProgressView* view = progressWindow.view();

    int count = 0;
    const QStringList names = WildcardFiles::list(folder, filter);
    for (const QString& name : names) {
        const QString path = folder + QLatin1Char('/') + name;
        if (!QFileInfo::exists(path))
            continue;
        FileOps::clearAttributes(path);
        if (doDelete) {
            if (ask)
                killAsking(path);
            else
                FileOps::remove(path);
        }
        if (!QFileInfo::exists(path)) {
            if (view)
                view->setLine2(QStringLiteral("Datei: ") + path);
            ++count;
        }
    }
    progressWindow.close();
    if (summary) {
        m_ctx.prompter().message(
            QStringLiteral("Zusammenfassung CopyFile"),
            QStringLiteral("Zielordner:\t\t") + folder + QStringLiteral("\rDateifilter:\t\t\t") + filter
                + QStringLiteral("\r\rExistierte Zielordner?\t") + BoolText::number(folderExists)
                + QStringLiteral("\r\rGelöschte Dateien:\t\t") + QString::number(count),
            BoxButtons::Ok, BoxIcon::Information);
    }
}

} // namespace zendor
