#include "zendor/funktion_datei_copy.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "shared/runtime_error.h"
#include "zendor/bool_text.h"
#include "zendor/error_report.h"
#include "zendor/file_ops.h"
#include "zendor/progress_view.h"
#include "zendor/wildcard_files.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"

#include <QDir>
#include <QFileInfo>

namespace zendor {

void FunktionDateiCopy::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionDateiCopy"), record, [&] { copyAll(record); });
}

void FunktionDateiCopy::createFolderLevels(const QString& target) const
{
    const QString withSep = target + QLatin1Char('/');
    // From the fourth character on, as for "C:\a\b"; a leading "/" root is never created.
    for (int pos = int(withSep.indexOf(QLatin1Char('/'), 3)); pos >= 0;
         pos = int(withSep.indexOf(QLatin1Char('/'), pos + 1))) {
        const QString prefix = withSep.left(pos);
        const bool exists = QFileInfo(prefix).isDir();
        m_ctx.diagnosticBox(target + QStringLiteral("\rPos. ") + QString::number(pos + 1)
                                + QStringLiteral("\r\rErgebnis: ") + prefix + QStringLiteral("\rExistiert? ")
                                + QString::number(exists ? 16 : 0),
                            QStringLiteral("zendor"));
        if (!exists && !QDir().mkdir(prefix))
            throw RuntimeError(ErrorCode::PathNotFound, prefix);
    }
}

void FunktionDateiCopy::copyAll(const QString& record)
{
    const QString sourceArg = DatenPipe(2, record);
    const QString targetArg = DatenPipe(3, record);
    const bool overwrite = leadingNumber(DatenPipe(4, record)) != 0;
    const bool ask = leadingNumber(DatenPipe(5, record)) != 0;
    const bool summary = leadingNumber(DatenPipe(6, record)) != 0;
    const bool progress = leadingNumber(DatenPipe(7, record)) != 0;
    const QString targetName = DatenPipe(8, record);

    const QString source = m_ctx.resolvePath(sourceArg, true);
    const QString sourceFolder = ZendorPaths::folderOf(source);
    const bool sourceExists = !sourceFolder.isEmpty() && QFileInfo(sourceFolder).isDir();
    const QString target =
        targetArg.isEmpty() ? QString() : m_ctx.resolvePath(ZendorPaths::withoutTrailingSeparator(targetArg), true);
    const bool targetExisted = !target.isEmpty() && QFileInfo(target).isDir();

    if (!target.isEmpty() && !targetExisted && target.size() > 2)
        createFolderLevels(target);

    m_ctx.diagnosticBox(QStringLiteral("Dateien: ") + source + QStringLiteral("\rQuelle: ") + sourceFolder
                        + QStringLiteral("\rZiel: ") + target + QStringLiteral("\r\rÜberschreiben: ")
                        + BoolText::word(overwrite) + QStringLiteral("\rSicherheitsabfrage: ") + BoolText::word(ask)
                        + QStringLiteral("\rZusammenfassung: ") + BoolText::word(summary)
                        + QStringLiteral("\r\rExistiert Quelle? ") + BoolText::word(sourceExists)
                        + QStringLiteral("\rExistiert Ziel? ") + BoolText::word(targetExisted));
    if (sourceArg.isEmpty() || targetArg.isEmpty())
        return;

    ProgressScope progressWindow(progress ? m_ctx.progressView() : nullptr,
                                       QStringLiteral("CopyFile - ") + ZendorContext::versionText(),
                                       QStringLiteral("Bitte warten! Kopiervorgang läuft..."));
    ProgressView* view = progressWindow.view();

    int count = 0;
    const QStringList names = WildcardFiles::list(sourceFolder, ZendorPaths::nameOf(source));
    for (const QString& name : names) {
        const QString fullSource = sourceFolder + QLatin1Char('/') + name;
        const QString targetFile = target + QLatin1Char('/') + (targetName.isEmpty() ? name : targetName);
        const bool exists = QFileInfo::exists(targetFile);
        if (exists && !overwrite && !ask)
            continue;
        if (exists && ask) {
            const BoxAnswer a = m_ctx.prompter().message(
                QStringLiteral("Sicherheitsabfrage"),
                QStringLiteral("Wollen Sie die Zieldatei\r\r") + targetFile + QStringLiteral("\r\rwirklich überschreiben!?"),
                BoxButtons::YesNo, BoxIcon::Exclamation, 2);
            if (a != BoxAnswer::Yes)
                continue;
        }
        if (view)
            view->setLine2(QStringLiteral("Datei: ") + fullSource);
        if (exists)
            FileOps::clearAttributes(targetFile);
        ++count;
        FileOps::copyReplacing(fullSource, targetFile);
    }
    progressWindow.close();
    if (summary) {
        m_ctx.prompter().message(
            QStringLiteral("Zusammenfassung CopyFile"),
            QStringLiteral("Dateifilter:\t\t\t") + source + QStringLiteral("\rQuellpfad:\t\t") + sourceFolder
                + QStringLiteral("\rZielpfad:\t\t\t") + target + QStringLiteral("\r\rExistierte Quellordner?\t")
                + BoolText::number(sourceExists) + QStringLiteral("\rExistierte Zielordner?\t")
                + BoolText::number(targetExisted) + QStringLiteral("\r\rKopierte Dateien:\t\t") + QString::number(count),
            BoxButtons::Ok, BoxIcon::Information);
    }
}

} // namespace zendor
