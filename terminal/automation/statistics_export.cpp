#include "terminal/automation/statistics_export.h"

#include "shared/app_folders.h"
#include "shared/number_text.h"
#include "shared/runtime_error.h"
#include "shared/spreadsheet/chart_kind.h"
#include "shared/spreadsheet/xlsx_table_writer.h"
#include "terminal/core/terminal_context.h"

#include <QDir>
#include <QFileInfo>

namespace tarvex {

namespace {

QString tablesFolder(const QString& dataDir)
{
    return AppFolders::findCaseInsensitive(dataDir + QStringLiteral("Tabellen/"));
}

} // namespace

const QString StatisticsExport::kTitle = QStringLiteral("Terminalstatistik");
const QString StatisticsExport::kHeaderRecord = QStringLiteral("|Zeit|Senden|Empfangen|Summe|");

QStringList StatisticsExport::chartEntries()
{
    return ChartKind::listEntries();
}

int StatisticsExport::chartCodeOfPosition(int position)
{
    if (position >= 1 && position <= 7)
        return position;
    if (position >= 9 && position <= 13)
        return position + 12;
    return 2;
}

QString StatisticsExport::dataRecord(const QList<QStringList>& listRows)
{
    QString record = QStringLiteral("|");
    for (const QStringList& row : listRows) {
        for (const QString& cell : row)
            record += cell + QLatin1Char('|');
    }
    return record;
}

TableContent StatisticsExport::content(const QList<QStringList>& listRows, int chartCode)
{
    TableContent content;
    content.title = kTitle;
    content.headers = kHeaderRecord.mid(1, kHeaderRecord.size() - 2).split(QLatin1Char('|'));
    content.chartCode = chartCode;
    content.labelTimeFormat = QStringLiteral("hh:mm");
    content.valueFormat = QStringLiteral("0");
    for (const QStringList& row : listRows) {
        TableRow tableRow{row.value(0), {}};
        for (int c = 1; c < content.headers.size(); ++c)
            tableRow.values.append(leadingNumber(row.value(c)));
        content.rows.append(tableRow);
    }
    return content;
}

QString StatisticsExport::debugText(int chartCode, const QList<QStringList>& listRows)
{
    return QStringLiteral("Übergabe Exceldaten: \r\rAnzeigeform: ") + QString::number(chartCode)
        + QStringLiteral("\r\rDatenstring: ") + dataRecord(listRows) + QStringLiteral("\r\rTitel: ") + kTitle
        + QStringLiteral("\r\rAnzahl: ") + QString::number(listRows.size()) + QStringLiteral("\r\rÜberschrift: ")
        + kHeaderRecord;
}

QString StatisticsExport::workbookPath(const QString& dataDir, const QDateTime& now)
{
    return tablesFolder(dataDir) + kTitle + QLatin1Char('_')
        + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QStringLiteral(".xlsx");
}

void StatisticsExport::cannotOpen()
{
    m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                           QStringLiteral("MS Excel konnte nicht geöffnet werden.\rDiese Funktion ist daher nicht möglich!"),
                           BoxButtons::Ok, BoxIcon::Exclamation);
}

bool StatisticsExport::ready()
{
    const QString dir = tablesFolder(m_ctx.state.folders.dataDir());
    if (QDir().mkpath(dir) && QFileInfo(dir).isWritable())
        return true;
    cannotOpen();
    return false;
}

QString StatisticsExport::run(const QList<QStringList>& listRows, int chartCode)
{
    // The kunde.ini debug flag, not the main window's debug switch.
    if (m_ctx.state.settings.debug)
        m_ctx.prompter.information(debugText(chartCode, listRows));
    const QString path = workbookPath(m_ctx.state.folders.dataDir(), m_ctx.clock.now());
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        XlsxTableWriter::write(path, content(listRows, chartCode));
    } catch (const RuntimeError&) {
        cannotOpen();
        return QString();
    }
    if (!m_ctx.shell.openDocument(path)) {
        cannotOpen();
        return QString();
    }
    return path;
}

} // namespace tarvex
