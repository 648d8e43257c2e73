// Grouping 1,000,000 call and charge records as function 11 does, against an awk
// one-liner that sums the same groups over the same file, in the same run.
//   zendor_aggregation_bench [records]

#include "shared/spreadsheet/table_content.h"
#include "shared/spreadsheet/xlsx_table_writer.h"
#include "zendor/excel/charge_aggregator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void writeRecords(const QString& path, int count)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::exit(1);
    QRandomGenerator rng(42);
    QByteArray chunk;
    for (int i = 0; i < count; ++i) {
        chunk += QStringLiteral("|%1.%2.%3 %4:%5|Amt|%6|%7|x|y|z|%8.%9|\r\n")
                     .arg(rng.bounded(1, 29), 2, 10, QLatin1Char('0'))
                     .arg(rng.bounded(1, 13), 2, 10, QLatin1Char('0'))
                     .arg(rng.bounded(1998, 2004))
                     .arg(rng.bounded(0, 24), 2, 10, QLatin1Char('0'))
                     .arg(rng.bounded(0, 60), 2, 10, QLatin1Char('0'))
                     .arg(rng.bounded(100, 400))
                     .arg(rng.bounded(0, 50))
                     .arg(rng.bounded(0, 20))
                     .arg(rng.bounded(0, 100), 2, 10, QLatin1Char('0'))
                     .toLatin1();
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
}

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

struct Measure
{
    double zendorMs;
    double awkMs;
    qsizetype rows;
};

Measure measure(const QString& file, int grouping, const QString& awkKey)
{
    QElapsedTimer t;
    t.start();
    zendor::ChargeAggregator a(grouping, false);
    a.addFile(file);
    const QList<TableRow> rows = a.rows();
    const double zendorMs = ms(t);

    const QString program = QStringLiteral("{k=%1; s[k]+=$9} END {for (k in s) printf \"%s %.2f\\n\", k, s[k]}").arg(awkKey);
    QProcess awk;
    t.restart();
    awk.start(QStringLiteral("awk"), {QStringLiteral("-F|"), program, file});
    awk.waitForFinished(-1);
    const double awkMs = ms(t);
    const qsizetype awkRows = awk.readAllStandardOutput().count('\n');
    if (awkRows != rows.size())
        std::fprintf(stderr, "Gruppenzahl weicht ab: zendor %lld, awk %lld\n", static_cast<long long>(rows.size()),
                     static_cast<long long>(awkRows));
    return {zendorMs, awkMs, rows.size()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    if (QStandardPaths::findExecutable(QStringLiteral("awk")).isEmpty()) {
        std::fprintf(stderr, "awk not found\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gebuehren.txt"));
    writeRecords(file, count);
    std::printf("%d records, %.1f MB\n", count, double(QFile(file).size()) / 1e6);
    std::printf("%-28s %10s %10s %8s %8s\n", "grouping", "zendor ms", "awk ms", "ratio", "rows");

    struct G
    {
        const char* name;
        int grouping;
        const char* awkKey;
    };
    const G groupings[] = {{"1 day", 1, "substr($2,1,2)"},
                           {"2 month", 2, "substr($2,4,2)"},
                           {"3 year", 3, "substr($2,7,4)"},
                           {"0 date and time", 0, "$2"}};
    for (const G& g : groupings) {
        const Measure m = measure(file, g.grouping, QString::fromLatin1(g.awkKey));
        std::printf("%-28s %10.1f %10.1f %8.2f %8lld\n", g.name, m.zendorMs, m.awkMs, m.zendorMs / m.awkMs,
                    static_cast<long long>(m.rows));
    }

    // The workbook of the month grouping and of the largest table (every date and time).
    for (int grouping : {2, 0}) {
        zendor::ChargeAggregator a(grouping, false);
        a.addFile(file);
        TableContent content;
        content.title = QStringLiteral("Bench");
        content.headers = {QStringLiteral("Datum, Uhrzeit"), QStringLiteral("Betrag")};
        content.rows = a.rows();
        content.chartCode = 23;
        QElapsedTimer t;
        t.start();
        XlsxTableWriter::write(dir.filePath(QStringLiteral("bench%1.xlsx").arg(grouping)), content);
        std::printf("workbook, grouping %d: %lld rows written in %.1f ms\n", grouping,
                    static_cast<long long>(content.rows.size()), ms(t));
    }
    return 0;
}
