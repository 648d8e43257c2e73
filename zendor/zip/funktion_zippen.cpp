#include "zendor/zip/funktion_zippen.h"

#include "shared/app_folders.h"
#include "shared/daten_pipe.h"
#include "shared/runtime_error.h"
#include "zendor/error_report.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"
#include "zendor/zip/zip_instruction_file.h"
#include "zendor/zip/zip_name_check.h"
#include "zendor/zip/zipall_runner.h"

#include <QFileInfo>

namespace zendor {

QString FunktionZippen::defaultZipName(const QDateTime& now)
{
    return now.toString(QStringLiteral("MMddmmHH")) + QStringLiteral(".zip");
}

void FunktionZippen::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionZippen"), record, [&] { zip(record); });
}

void FunktionZippen::zip(const QString& record)
{
    QString proposed = DatenPipe(7, record);
    if (proposed.isEmpty())
        proposed = defaultZipName(m_ctx.clock().now());

    const QString pattern = DatenPipe(4, record);
    FileDialogRequest req;
    req.kind = FileDialogKind::OpenMany;
    req.fileName = DatenPipe(2, record);
    req.defaultExtension = pattern;
    // Without a pattern the first entry offers every file.
    req.filter = QStringLiteral("Dateien|") + (pattern.isEmpty() ? QStringLiteral("*") : pattern)
        + QStringLiteral("|Alle Dateien|*.*");
    req.title = DatenPipe(6, record);
    req.startDir = ZendorPaths::toNative(m_ctx.programDir() + DatenPipe(8, record));
    const QStringList chosen = m_ctx.prompter().fileDialog(req);

    QString shown;
    if (chosen.size() == 1) {
        shown = chosen.first();
    } else if (!chosen.isEmpty()) {
        QStringList parts{ZendorPaths::folderOf(chosen.first())};
        for (const QString& c : chosen)
            parts << ZendorPaths::nameOf(c);
        shown = parts.join(QLatin1Char(','));
    }
    m_ctx.diagnosticBox(QStringLiteral("Ergbnis: ") + shown);
    if (chosen.isEmpty())
        return;
    if (chosen.size() > kMaxFiles)
        throw RuntimeError(ErrorCode::OutOfRange, QString::number(chosen.size()));

    const QString zipFolder = AppFolders::findCaseInsensitive(m_ctx.programDir() + QStringLiteral("/ZIP-Dateien"));
    const std::optional<QString> entered = m_ctx.prompter().input(InputRequest{
        QStringLiteral("zendor"),
        QStringLiteral("Geben Sie den Namen der Zieldatei an (ZIP):") + QStringLiteral("\rAnzahl zu zippende Dateien: ")
            + QString::number(chosen.size()) + QStringLiteral("\r\rZieldateiname ( ") + zipFolder + QLatin1Char('/')
            + proposed + QStringLiteral(" ):"),
        proposed});
    const QString zipName = entered.value_or(QString()).toLower();
    if (zipName.isEmpty() || !zipName.endsWith(QLatin1String(".zip")))
        return;
    if (!acceptZipName(m_ctx.prompter(), zipName))
        return;
    if (!ZipInstructionFile::representable(zipName)) {
        m_ctx.prompter().message(QStringLiteral("Sicherheitshinweis"),
                                 QStringLiteral("Der Name der ZIP-Datei enthält Zeichen außerhalb von Windows-1252:\r\r")
                                     + zipName,
                                 BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    if (!QFileInfo(zipFolder).isDir())
        throw RuntimeError(ErrorCode::PathNotFound, zipFolder);

    QStringList files;
    QStringList unusable;
    for (const QString& c : chosen) {
        const QString path = ZendorPaths::folderOf(c) + QLatin1Char('/') + ZendorPaths::nameOf(c);
        if (!QFileInfo(path).isFile())
            continue;
        if (ZipInstructionFile::representable(path))
            files << path;
        else
            unusable << path;
    }
    if (!unusable.isEmpty()) {
        m_ctx.prompter().message(QStringLiteral("Sicherheitshinweis"),
                                 QStringLiteral("Diese Dateien werden nicht gezippt, ihre Namen enthalten Zeichen "
                                                "außerhalb von Windows-1252:\r\r")
                                     + unusable.join(QLatin1Char('\r')),
                                 BoxButtons::Ok, BoxIcon::Exclamation);
    }
    if (files.isEmpty())
        return;
    const QString instructions = zipFolder + QStringLiteral("/TVX-Zip.ini");
    ZipInstructionFile::write(instructions, zipFolder + QLatin1Char('/') + zipName, files);
    const ZipallRunner runner(m_ctx);
    if (!runner.start(instructions, false))
        throw RuntimeError(ErrorCode::FileNotFound, runner.zipallPath());
    m_ctx.shell().openFolder(zipFolder);
}

} // namespace zendor
