#include "terminal/tools/list_export.h"

#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"
#include "terminal/core/error_report.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

#include <QDir>

namespace tarvex {

ExportContent ExportContent::list(QStringList entries)
{
    ExportContent c;
    c.kind = Kind::List;
    c.entries = std::move(entries);
    return c;
}

ExportContent ExportContent::fromText(QString text)
{
    ExportContent c;
    c.kind = Kind::Text;
    c.text = std::move(text);
    return c;
}

ExportContent ExportContent::columns(QList<QStringList> rows)
{
    ExportContent c;
    c.kind = Kind::Columns;
    c.rows = std::move(rows);
    return c;
}

QStringList ExportContent::lines() const
{
    switch (kind) {
    case Kind::List:
        return entries;
    case Kind::Text: {
        QStringList out = text.split(QLatin1Char('\r'));
        for (qsizetype i = 1; i < out.size(); ++i) {
            if (out[i].startsWith(QLatin1Char('\n')))
                out[i].remove(0, 1);
        }
        return out;
    }
    case Kind::Columns: {
        QStringList out;
        out.reserve(rows.size());
        for (const QStringList& row : rows)
            out << row.join(QLatin1Char('\t'));
        return out;
    }
    }
    return {};
}

QString ListExport::exportFile() const
{
    return m_ctx.state.folders.tempDir() + QStringLiteral("export.txt");
}

void ListExport::Exportieren(int mode, const ExportContent& content)
{
    const int target = (mode / 10) % 10;
    exportTo(target == 2 ? Target::Editor : target == 1 ? Target::ProgramQuiet : Target::Program, content);
}

void ListExport::exportTo(Target target, const ExportContent& content)
{
    guarded(m_ctx.errors, "Exportieren", double(content.kind), exportFile(), [&] {
        const QString file = exportFile();
        // The temp folder is made when it is missing; one that can't be made or written is
        // reported by the write.
        QDir().mkpath(m_ctx.state.folders.tempDir());
        TextFile::writeLinesAtomic(file, content.lines());
        if (target == Target::Editor) {
            // A failed start of the editor is not reported.
            try {
                m_ctx.programs.startEditor(file);
            } catch (const RuntimeError&) {
            }
            return;
        }
        startProgram(target == Target::ProgramQuiet);
    });
}

void ListExport::startProgram(bool quiet)
{
    const QString program = m_ctx.state.settings.exportSetting.trimmed();
    if (!program.isEmpty() && m_ctx.shell.startProgram(program, {exportFile()}))
        return;
    if (quiet)
        return;
    m_ctx.prompter.message(QStringLiteral("Information"),
                           QStringLiteral("Das Exportprogramm konnte nicht gestartet werden.\r\rProgramm: ") + program
                               + QStringLiteral("\r\rSie können dieses in den Optionen 'Allgemein' angeben."),
                           BoxButtons::Ok, BoxIcon::Exclamation);
    m_ctx.functions.PrgFunktionen(Fn::Optionen);
}

} // namespace tarvex
