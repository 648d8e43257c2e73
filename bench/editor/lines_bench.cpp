// Figures of the line tools on 1,000,000 lines of mixed text with tabs and blanks: each
// core function timed in-process and, on the same data in a temporary file, the coreutils
// program doing the same job (output to a file), side by side.
#include "quillet/line_tools.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using quillet::LineTools;

namespace {

constexpr int kLines = 1000000;
constexpr int kTabWidth = 4;

// Lines like logs, lists and indented source: leading tabs or blanks, words of mixed case,
// numbers, runs of blanks and trailing blanks.
QString makeText()
{
    static const char* const words[] = {"Anruf", "teilnehmer", "Gebuehr", "privat", "Dienst", "amt", "ZEILE",
                                        "wert", "Summe", "Extern", "intern", "x", "Datum", "kosten", "Nummer"};
    QRandomGenerator rng(1234);
    QString text;
    text.reserve(qsizetype(kLines) * 48);
    for (int i = 0; i < kLines; ++i) {
        const int indent = rng.bounded(4);
        for (int k = 0; k < indent; ++k)
            text.append(rng.bounded(2) ? QStringLiteral("\t") : QStringLiteral("  "));
        const int count = 2 + rng.bounded(6);
        for (int w = 0; w < count; ++w) {
            if (w > 0)
                text.append(rng.bounded(5) == 0 ? QStringLiteral("\t") : QString(1 + rng.bounded(3), u' '));
            if (rng.bounded(4) == 0)
                text.append(QString::number(rng.bounded(100000)));
            else
                text.append(QLatin1String(words[rng.bounded(15)]));
        }
        text.append(QString(rng.bounded(3), u' '));
        if (i + 1 < kLines)
            text.append(u'\n');
    }
    return text;
}

double timeIt(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

// The program's run on `input`, output to a file; negative when it could not run.
double timeTool(const QString& program, const QStringList& arguments, const QString& input, const QString& output)
{
    QProcess process;
    process.setStandardInputFile(input);
    process.setStandardOutputFile(output);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString text = makeText();
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("lines.txt"));
    const QString output = dir.filePath(QStringLiteral("out.txt"));
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(text.toUtf8());
        f.write("\n");
    }
    std::printf("%d lines, %.1f MB; locale %s (LC_ALL=%s)\n", kLines, text.size() / 1e6,
                qPrintable(QLocale().name()), qgetenv("LC_ALL").isEmpty() ? "-" : qgetenv("LC_ALL").constData());

    struct Job {
        const char* what;
        std::function<void()> run;
        QString program;
        QStringList arguments;
    };
    QString result;
    const Job jobs[] = {
        {"sort, ignoring case", [&] { result = LineTools::sort(text); }, QStringLiteral("sort"), {QStringLiteral("-f")}},
        {"tabs to blanks (4)", [&] { result = LineTools::tabsToBlanks(text, kTabWidth, false); },
         QStringLiteral("expand"), {QStringLiteral("-t"), QString::number(kTabWidth)}},
        {"trim left and right", [&] { result = LineTools::trim(text, LineTools::Trim::Both); }, QStringLiteral("sed"),
         {QStringLiteral("s/^ *//;s/ *$//")}},
    };
    std::printf("%-22s %10s %12s %8s\n", "", "Quillet", "coreutils", "ratio");
    for (const Job& job : jobs) {
        double best = 1e9;
        double bestTool = 1e9;
        for (int round = 0; round < 3; ++round) {
            best = std::min(best, timeIt(job.run));
            bestTool = std::min(bestTool, timeTool(job.program, job.arguments, input, output));
        }
        std::printf("%-22s %9.3fs %11.3fs %7.2fx  (%s)\n", job.what, best, bestTool, best / bestTool,
                    qPrintable(job.program + u' ' + job.arguments.join(u' ')));
    }
    return 0;
}
