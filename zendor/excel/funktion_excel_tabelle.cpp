#include "zendor/excel/funktion_excel_tabelle.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "shared/runtime_error.h"
#include "shared/spreadsheet/chart_kind.h"
#include "shared/spreadsheet/xlsx_table_writer.h"
#include "zendor/error_report.h"
#include "zendor/excel/charge_aggregator.h"
#include "zendor/excel/chart_options_view.h"
#include "zendor/zendor_context.h"

#include <QDir>
#include <QFileInfo>

namespace zendor {

void FunktionExcelTabelle::run(const QString& record)
{
    ErrorReport::guarded(m_ctx, QStringLiteral("FunktionExcelTabelle"), record, [&] { build(record); });
}

QString FunktionExcelTabelle::cleanTitle(const QString& title)
{
    QString t = title.left(25);
    int pos = int(t.indexOf(QLatin1Char('/')));
    if (pos >= 0)
        t.replace(pos, 1, QStringLiteral(", "));
    pos = int(t.indexOf(QLatin1Char('\\')));
    if (pos >= 0)
        t.replace(pos, 1, QStringLiteral(", "));
    return t;
}

QString FunktionExcelTabelle::workbookPath(const QString& dataDir, const QString& title, const QDateTime& now)
{
    QString name = title.trimmed();
    for (QChar& ch : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(ch) || ch.unicode() < 0x20)
            ch = QLatin1Char('_');
    }
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("Tabelle"));
    return dataDir + QStringLiteral("Tabellen/") + name + QLatin1Char('_')
        + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QStringLiteral(".xlsx");
}

void FunktionExcelTabelle::cannotOpen() const
{
    m_ctx.prompter().message(QStringLiteral("Sicherheitshinweis"),
                             QStringLiteral("MS Excel konnte nicht geöffnet werden.\rDiese Funktion ist daher nicht möglich!"),
                             BoxButtons::Ok, BoxIcon::Exclamation);
}

bool FunktionExcelTabelle::askOptions(QString& record, bool participantMode) const
{
    ChartOptions preset;
    preset.title = DatenPipe(3, record, QStringLiteral("!"));
    preset.groupingPosition = leadingInt(DatenPipe(7, record));
    preset.chartPosition = leadingInt(DatenPipe(5, record));
    // A preset outside the lists is a fault of the caller.
    if (preset.groupingPosition < 0 || preset.groupingPosition > 3)
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Zeitintervall ") + QString::number(preset.groupingPosition));
    if (preset.chartPosition < 0 || preset.chartPosition > int(ChartKind::listEntries().size()))
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Grafikformat ") + QString::number(preset.chartPosition));
    ChartOptionsView* view = m_ctx.chartOptionsView();
    if (!view)
        throw RuntimeError(ErrorCode::Internal, QStringLiteral("frm3"));
    const std::optional<ChartOptions> chosen = view->ask(preset, participantMode);
    if (!chosen)
        return false;
    // A typed "|" would split the record; it is kept as "/" (and cleaned like one).
    QString title = chosen->title;
    title.replace(QLatin1Char('|'), QLatin1Char('/'));
    record = DatenPipe(3, record, title.isEmpty() ? QStringLiteral(" ") : title);
    record = DatenPipe(7, record, QString::number(chosen->groupingPosition));
    record = DatenPipe(5, record, QString::number(ChartKind::codeOfPosition(chosen->chartPosition)));
    return true;
}

void FunktionExcelTabelle::build(QString record)
{
    const bool dialog = leadingNumber(DatenPipe(6, record)) != 0;
    const bool participants = leadingNumber(DatenPipe(8, record)) != 0;
    if (dialog && !askOptions(record, participants))
        return;

    const QString cleaned = cleanTitle(DatenPipe(3, record));
    // DatenPipe replaces only with a non-empty value; a blank reads back as empty with "!".
    record = DatenPipe(3, record, cleaned.isEmpty() ? QStringLiteral(" ") : cleaned);
    if (participants)
        record = DatenPipe(7, record, QStringLiteral("0"));

    const QString sourceArg = DatenPipe(2, record, QStringLiteral("!"));
    const QString title = DatenPipe(3, record, QStringLiteral("!"));
    const int code = leadingInt(DatenPipe(5, record));
    const int grouping = leadingInt(DatenPipe(7, record));
    const QString source = m_ctx.resolvePath(sourceArg, true);
    if (sourceArg.isEmpty() || !QFileInfo(source).isFile()) {
        m_ctx.prompter().message(QStringLiteral("Abbruch Funktion"), QStringLiteral("Datei >") + sourceArg + QStringLiteral("< fehlt!"),
                                 BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }

    ChargeAggregator aggregator(grouping, participants);
    aggregator.addFile(source);
    TableContent content;
    content.title = title;
    content.rows = aggregator.rows();
    content.chartCode = code;
    content.headers = participants
        ? QStringList{QStringLiteral("Teilnehmer"), QStringLiteral("Dienst"), QStringLiteral("Privat"), QStringLiteral("Gesamt")}
        : QStringList{QStringLiteral("Datum, Uhrzeit"), QStringLiteral("Betrag")};

    if (m_ctx.diagnostics()) {
        QString data = QStringLiteral("|");
        for (const TableRow& r : content.rows) {
            data += r.label + QLatin1Char('|');
            for (double v : r.values)
                data += ChargeAggregator::amountText(v) + QLatin1Char('|');
        }
        m_ctx.diagnosticBox(QStringLiteral("Quelldatei: ") + source + QStringLiteral("\rTitel: ") + title
                            + QStringLiteral("\r\rAnzahl: ") + QString::number(content.rows.size())
                            + QStringLiteral("\rAnzeigeform: ") + QString::number(code) + QStringLiteral("\rInhalt: ")
                            + data);
    }

    const QString path = workbookPath(m_ctx.dataDir(), title, m_ctx.clock().now());
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        XlsxTableWriter::write(path, content);
    } catch (const RuntimeError&) {
        cannotOpen();
        return;
    }
    if (!m_ctx.shell().openDocument(path))
        cannotOpen();
}

} // namespace zendor
