// Measures the terminal's start-up: from process start until the main window has been
// built and shown, with full data files (99 scripts, 200 alarms, 200 scheduler tasks and a
// 200-line menu structure). Prints every figure and the median against the 300 ms target.
//
//   tarvex_startup_bench [runs]

#include "shared/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

void writeDataFiles(const QString& kunde)
{
    const QString conf = kunde + "/Konfiguration/";
    QDir().mkpath(conf);
    QStringList scripts{"[Script]"};
    for (int i = 1; i <= 99; ++i)
        scripts << QStringLiteral("Script%1=|Script Nummer %1|STATUS %1<>PAUS 1<>GEB<>|0|1|0|1|6|1|5|").arg(i, 2, 10, QLatin1Char('0'));
    QStringList alarms;
    for (int i = 1; i <= 200; ++i)
        alarms << QStringLiteral("|1|Alarm %1|STÖRUNG %1|1|0|0|0|0||0|0||0|0|1|").arg(i);
    QStringList tasks;
    for (int i = 1; i <= 200; ++i)
        tasks << QStringLiteral("|1|%1:%2|Täglich (1)| (0)|Capture (1)|01 Kopieren (1)|/tmp|1|0|0||")
                     .arg(i % 24, 2, 10, QLatin1Char('0'))
                     .arg(i % 60, 2, 10, QLatin1Char('0'));
    QStringList menu{"Menüstruktur"};
    for (int i = 1; i <= 200; ++i)
        menu << (i % 20 == 1 ? QStringLiteral("|%1|Menü %1|0|Untermenü||").arg(i / 20 + 1)
                             : QStringLiteral("|0|Eintrag %1|%2|Beschreibung %1|Strg+%1|").arg(i).arg(100 + i));
    TextFile::writeLinesAtomic(conf + "Scripts.ini", scripts);
    TextFile::writeLinesAtomic(conf + "Alarmierungen.dat", alarms);
    TextFile::writeLinesAtomic(conf + "Zeitplaner.dat", tasks);
    TextFile::writeLinesAtomic(conf + "Menustruktur00.dat", menu);
    TextFile::writeLinesAtomic(kunde + "/kunde.ini",
                               {"[Allgemein]", "Verzögert=60", "[Anzeige]", "MaxZeilen=1000", "FarbeHG=16777215",
                                "[Seriell]", "COM=1", "Baudrate=9600", "Parameter=n,8,1"});
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    const QString program = QCoreApplication::applicationDirPath() + "/tarvex";
    QTemporaryDir dir;
    const QString kunde = dir.filePath("kunde");
    writeDataFiles(kunde);

    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!env.contains("QT_QPA_PLATFORM"))
            env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TARVEX_ANSWERS", dir.filePath("no-answers.txt")); // any box would be answered at once
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, {"--kunde", kunde, "--exit-after-show"});
        QByteArray out;
        while (!out.contains("window-shown") && p.waitForReadyRead(10000))
            out += p.readAllStandardOutput();
        const double ms = t.nsecsElapsed() / 1e6;
        p.waitForFinished(10000);
        if (!out.contains("window-shown")) {
            std::fprintf(stderr, "run %d: the terminal did not report its window\n", i + 1);
            return 1;
        }
        times << ms;
    }
    std::sort(times.begin(), times.end());
    const double median = times.at(times.size() / 2);
    std::printf("terminal start-up to shown main window, %d runs (99 scripts, 200 alarms, 200 tasks, 200 menu lines)\n", runs);
    std::printf("  min    %8.1f ms\n  median %8.1f ms\n  max    %8.1f ms\n", times.first(), median, times.last());
    std::printf("  target    300.0 ms median: %s\n", median <= 300.0 ? "met" : "NOT met");
    return 0;
}
