#include "zendor/zip/funktion_zippen_filter.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "zendor/error_report.h"
#include "zendor/file_ops.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"
#include "zendor/zip/zip_instruction_file.h"
#include "zendor/zip/zip_name_check.h"
#include "zendor/zip/zipall_runner.h"

#include <QFile>
#include <QFileInfo>

namespace zendor {

void FunktionZippenFilter::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionZippenFilter"), record, [&] { zip(record); });
}

void FunktionZippenFilter::waitForFile(const QString& path) const
{
    const qint64 start = m_ctx.clock().monotonicMs();
    while (!QFileInfo::exists(path) && m_ctx.clock().monotonicMs() - start < kWaitForZipMs)
        m_ctx.clock().wait(200);
}

void FunktionZippenFilter::zip(const QString& record)
{
    const QString sourceArg = DatenPipe(2, record, QStringLiteral("!"));
    const QString targetArg = DatenPipe(3, record, QStringLiteral("!"));
    const QString zipName = DatenPipe(4, record, QStringLiteral("!"));
    const QString iniArg = DatenPipe(5, record, QStringLiteral("!"));
    const bool ask = leadingNumber(DatenPipe(6, record)) != 0;
    const bool explorer = leadingNumber(DatenPipe(7, record)) != 0;
    const bool wait = leadingNumber(DatenPipe(8, record)) != 0;

    const QString source = m_ctx.resolvePath(sourceArg, false);
    const QString target = m_ctx.resolvePath(ZendorPaths::withoutTrailingSeparator(targetArg), false);
    const QString instructions = iniArg.isEmpty()
        ? m_ctx.resolvePath(QStringLiteral("ZIP-Dateien\\Tvx-Zip.ini"), false)
        : m_ctx.resolvePath(iniArg, true);

    if (source.isEmpty() || zipName.isEmpty())
        return;
    if (!QFileInfo(target).isDir() || !zipName.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        return;
    if (!acceptZipName(m_ctx.prompter(), zipName))
        return;
    const QString zipPath = target + QLatin1Char('/') + zipName;
    if (!ZipInstructionFile::representable(source) || !ZipInstructionFile::representable(zipPath)) {
        m_ctx.prompter().message(QStringLiteral("Sicherheitshinweis"),
                                 QStringLiteral("Quelle oder Ziel enthält Zeichen außerhalb von Windows-1252:\r\r")
                                     + source + QStringLiteral("\r") + zipPath,
                                 BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    if (ask && QFileInfo::exists(zipPath)) {
        const BoxAnswer a = m_ctx.prompter().message(
            QStringLiteral("Sicherheitsabfrage"),
            QStringLiteral("Wollen Sie die ZIP-Datei \r\r") + zipPath + QStringLiteral("\r\rneu erzeugen?"),
            BoxButtons::YesNo, BoxIcon::Question, 2);
        if (a != BoxAnswer::Yes)
            return;
        FileOps::remove(zipPath);
    }
    m_ctx.diagnosticBox(QStringLiteral("Quelle: ") + source + QStringLiteral("\r\rZielpfad: ") + target
                        + QStringLiteral("\rZiel-ZIP: ") + zipName + QStringLiteral("\r\rINI Pfad: ") + instructions);

    ZipInstructionFile::write(instructions, zipPath, {source});
    ZipallRunner runner(m_ctx);
    if (runner.start(instructions, true))
        runner.waitUntilRead(instructions);
    QFile::remove(instructions);

    if (explorer)
        m_ctx.shell().openFolder(target);
    if (wait)
        waitForFile(zipPath);
}

} // namespace zendor
