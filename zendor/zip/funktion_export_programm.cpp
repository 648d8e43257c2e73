#include "zendor/zip/funktion_export_programm.h"

#include "shared/daten_pipe.h"
#include "shared/runtime_error.h"
#include "zendor/error_report.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"

namespace zendor {

bool FunktionExportProgramm::isShortcut(const QString& path)
{
    return path.contains(QLatin1String(".lnk"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

void FunktionExportProgramm::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionExportProgramm"), record, [&] { start(record); });
}

void FunktionExportProgramm::start(const QString& record)
{
    const QString program = DatenPipe(2, record);
    const QString parameters = DatenPipe(3, record);
    m_ctx.diagnosticBox(QStringLiteral("Starte Programm:") + program + QStringLiteral("\rMit Parameter: ") + parameters);

    // A bare name ("notepad.exe") is looked up on the search path; paths follow the path rule.
    const bool hasFolder = program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'));
    const QString path = hasFolder ? m_ctx.resolvePath(program, true) : program;
    if (isShortcut(program)) {
        // Failures of opening a shortcut are not reported.
        m_ctx.shell().openDocument(path);
        return;
    }
    QStringList args;
    if (!parameters.isEmpty())
        args << parameters;
    if (path.isEmpty() || !m_ctx.shell().startProgram(path, args))
        throw RuntimeError(ErrorCode::FileNotFound, program);
}

} // namespace zendor
