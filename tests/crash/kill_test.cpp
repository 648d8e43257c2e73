// Kills the real programs with SIGKILL at random moments while they write their files, and
// checks what each kill left on disk: a file written whole is its old or its new content,
// never empty, cut short or missing; an appended file loses at most the line being written.
//
// TARVEX_KILL_ROUNDS sets the kills per program and file (the test suite's short run: 2);
// scripts/kill-test runs hundreds. TARVEX_KILL_SEED repeats a random sequence; the seed of
// every run is printed.

#include "tests/support/simulator_process.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <random>

namespace {

int rounds()
{
    const int n = qEnvironmentVariableIntValue("TARVEX_KILL_ROUNDS");
    return n > 0 ? n : 2;
}

std::mt19937& randomEngine()
{
    static std::mt19937 engine = [] {
        bool ok = false;
        unsigned seed = qEnvironmentVariable("TARVEX_KILL_SEED").toUInt(&ok);
        if (!ok)
            seed = std::random_device{}();
        std::printf("kill-test: seed %u\n", seed);
        return std::mt19937(seed);
    }();
    return engine;
}

int randomMs(int upTo)
{
    return std::uniform_int_distribution<int>(0, qMax(0, upTo))(randomEngine());
}

std::optional<QByteArray> contentOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        ASSERT_TRUE(QFile::copy(source, target)) << target.toStdString();
    }
}

QProcessEnvironment quietEnvironment(const QString& answers)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TARVEX_ANSWERS", answers);
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    return env;
}

void startQuietly(QProcess& p, const QString& program, const QStringList& arguments, const QProcessEnvironment& env)
{
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, arguments);
    ASSERT_TRUE(p.waitForStarted(30000)) << program.toStdString();
}

void killNow(QProcess& p)
{
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished(30000);
}

// An appended file: every complete line (CR LF) must be whole; the last piece may be cut.
// Returns the number of complete lines, or -1 with a failure for a damaged one.
int checkAppended(const QString& path, const QRegularExpression& line)
{
    const std::optional<QByteArray> bytes = contentOf(path);
    if (!bytes)
        return 0;
    QList<QByteArray> lines = bytes->split('\n');
    lines.removeLast(); // after the last line end: empty, or the line being written
    for (const QByteArray& l : lines) {
        const QString text = QString::fromLatin1(l);
        if (!text.endsWith(u'\r') || !line.match(text.chopped(1)).hasMatch()) {
            ADD_FAILURE() << path.toStdString() << ": damaged line \"" << text.toStdString() << "\"";
            return -1;
        }
    }
    return int(lines.size());
}

// The terminal on a copy of the demo data, receiving records from the device simulator and,
// every few milliseconds, either switching the status lamps (function 240: kunde.ini
// written) or saving the parameter set (function 106: its *.def file written); at every
// start it moves monitor.txt to monitor.bak.
TEST(KillTest, TerminalWritingItsSettingsAndTheMonitorFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(dir, {"--interval", "5"}));
    const QString kunde = dir.filePath("Kunde");
    copyTree(QStringLiteral(TARVEX_SOURCE_DIR) + "/data/kunde", kunde);
    const QString ini = kunde + "/kunde.ini";
    QByteArray demo = *contentOf(ini);
    demo.replace("Verz\xF6gert=1\r\n", "Verz\xF6gert=0\r\n");
    writeBytes(ini, demo + "[Schnittstellen]\r\nCOM1=" + sim.link.toUtf8() + "\r\n");
    writeBytes(dir.filePath("answers.txt"), "");
    const QProcessEnvironment env = quietEnvironment(dir.filePath("answers.txt"));
    const QString program = QStringLiteral(TARVEX_BIN_DIR) + "/tarvex";

    // One orderly run writes every file in the program's own form, the parameter set too.
    {
        QProcess p;
        startQuietly(p, program, {"--kunde", kunde, "--function", "106", "--exit-after", "1500"}, env);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0);
    }
    const QString parameterSet = kunde + "/Seriell 1 9600,n8,1  mit Endzeichen 13.def";
    const std::optional<QByteArray> parameters = contentOf(parameterSet);
    ASSERT_TRUE(parameters.has_value() && !parameters->isEmpty());
    const auto writtenAt = [&parameterSet] { return QFileInfo(parameterSet).lastModified().toMSecsSinceEpoch(); };
    // The stored password takes a new random key at every write: its value is not compared.
    const QRegularExpression password("\r\nPasswort=\\d*\r\n");
    const auto comparable = [&password](const QByteArray& s) {
        return QString::fromLatin1(s).replace(password, "\r\nPasswort=*\r\n").toLatin1();
    };
    QByteArray settings = comparable(*contentOf(ini));
    ASSERT_EQ(settings.count("\r\nStatus="), 1);
    const auto toggled = [](QByteArray s) {
        return s.contains("\r\nStatus=-1\r\n") ? s.replace("\r\nStatus=-1\r\n", "\r\nStatus=0\r\n")
                                               : s.replace("\r\nStatus=0\r\n", "\r\nStatus=-1\r\n");
    };
    // Files the loop never writes must come through every kill unchanged.
    QMap<QString, QByteArray> untouched;
    for (const char* name : {"Scripts.ini", "Alarmierungen.dat", "Zeitplaner.dat", "Menustruktur00.dat",
                             "StatistikS.dat", "StatistikE.dat"})
        untouched.insert(name, *contentOf(kunde + "/Konfiguration/" + name));

    const QRegularExpression record(
        "^\\|\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d\\|\\d+\\|\\d+\\.\\d\\d\\|\\d+\\.\\d\\d\\|0\\d+\\|[\\d:]+\\|\\d+\\|\\d+\\.\\d\\d\\|$");
    int kills = 0, settingsOn = 0, settingsOff = 0, parameterKills = 0, monitorLines = 0;
    for (int round = 0; round < rounds() * 2 && !::testing::Test::HasFailure(); ++round) {
        const bool lamps = round % 2 == 0;
        const qint64 parametersBefore = writtenAt();
        QProcess p;
        startQuietly(p, program, {"--kunde", kunde, "--function", lamps ? "240" : "106", "--function-every", "3"}, env);
        // Kill only once it writes: after the first switch of the lamps, the first new
        // parameter file.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return lamps ? comparable(contentOf(ini).value_or("")) != settings : writtenAt() != parametersBefore;
            },
            60000))
            << "no write in round " << round;
        QThread::msleep(ulong(randomMs(150)));
        killNow(p);
        ++kills;

        const std::optional<QByteArray> written = contentOf(ini);
        ASSERT_TRUE(written.has_value()) << "kunde.ini missing after kill " << kills;
        const QByteArray now = comparable(*written);
        ASSERT_TRUE(now == settings || now == toggled(settings))
            << "kunde.ini neither old nor new after kill " << kills << ":\n" << written->toStdString();
        settings = now;
        if (lamps)
            ++(settings.contains("\r\nStatus=-1\r\n") ? settingsOn : settingsOff);
        else
            ++parameterKills;
        ASSERT_EQ(contentOf(parameterSet), parameters) << "parameter set not whole after kill " << kills;
        const int lines = checkAppended(kunde + "/Anzeige/monitor.txt", record);
        ASSERT_GE(lines, 0);
        monitorLines += lines;
        // Every start moved the last monitor file to monitor.bak: it is never missing.
        ASSERT_TRUE(QFileInfo::exists(kunde + "/Anzeige/monitor.bak")) << "monitor.bak missing after kill " << kills;
        ASSERT_GE(checkAppended(kunde + "/Anzeige/monitor.bak", record), 0);
        for (auto it = untouched.begin(); it != untouched.end(); ++it)
            ASSERT_EQ(contentOf(kunde + "/Konfiguration/" + it.key()), it.value()) << it.key().toStdString();
    }
    std::printf("kill-test: terminal killed %d times; kunde.ini whole every time (%d kills in runs rewriting it, "
                "lamps on %d, off %d), the parameter set whole every time (%d kills in runs rewriting it); "
                "monitor.txt %d complete lines, none damaged\n",
                kills, settingsOn + settingsOff, settingsOn, settingsOff, parameterKills, monitorLines);
}

// Quillet saving a large document every few milliseconds, one line longer each time.
TEST(KillTest, QuilletSavingALargeDocument)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* sub : {"config", "data", "home", "tmp"})
        QDir(dir.path()).mkpath(sub);
    QByteArray base;
    for (int i = 0; i < 15000; ++i)
        base += "Anfangszeile " + QByteArray::number(i) + " mit etwas Text \xE4\xF6\xFC\r\n";
    base += "Ende";
    const QString document = dir.filePath("gross.txt");
    writeBytes(document, base);
    writeBytes(dir.filePath("answers.txt"), "");
    QProcessEnvironment env = quietEnvironment(dir.filePath("answers.txt"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("HOME", dir.filePath("home"));
    env.insert("TMPDIR", dir.filePath("tmp"));

    int kills = 0, longest = 0;
    for (int round = 0; round < rounds() && !::testing::Test::HasFailure(); ++round) {
        QProcess p;
        startQuietly(p, QStringLiteral(QUILLET_BINARY),
                     {"--instance-file=" + dir.filePath("quillet.tmp"), "--save-every-ms=5", document}, env);
        ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(document) != base; }, 60000)) << "no save in round " << round;
        QThread::msleep(ulong(randomMs(600)));
        killNow(p);
        ++kills;

        const std::optional<QByteArray> now = contentOf(document);
        ASSERT_TRUE(now.has_value()) << "document missing after kill " << kills;
        // The base and then "Zeile 1" ... "Zeile k", each after a line end.
        ASSERT_TRUE(now->startsWith(base)) << "document cut short after kill " << kills;
        QByteArray expected = base;
        int k = 0;
        while (expected.size() < now->size())
            expected += "\r\nZeile " + QByteArray::number(++k);
        ASSERT_EQ(*now, expected) << "document neither old nor new after kill " << kills;
        longest = qMax(longest, k);
        base = *now;
    }
    std::printf("kill-test: quillet killed %d times; the document whole every time (%d saves at most in a run)\n",
                kills, longest);
}

// zendor copying four files over older copies (function 7), from two sets in turn.
TEST(KillTest, ZendorCopyingOverOlderCopies)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList names{"f1.bin", "f2.bin", "f3.bin", "f4.bin"};
    QMap<QString, QByteArray> setA, setB;
    for (int i = 0; i < names.size(); ++i) {
        setA.insert(names[i], QByteArray(12 * 1024 * 1024 + i, char('a' + i)));
        setB.insert(names[i], QByteArray(8 * 1024 * 1024 + 7 * i, char('A' + i)));
        writeBytes(dir.filePath("QA/" + names[i]), setA[names[i]]);
        writeBytes(dir.filePath("QB/" + names[i]), setB[names[i]]);
    }
    writeBytes(dir.filePath("answers.txt"), "");
    const QProcessEnvironment env = quietEnvironment(dir.filePath("answers.txt"));
    const auto start = [&](QProcess& p, int round) {
        const QString set = round % 2 == 0 ? "QA" : "QB";
        startQuietly(p, QStringLiteral(ZENDOR_BIN),
                     {"--programmordner", dir.path(), "|7|" + set + "\\*.bin|Ziel|1|0|0|0||0|"}, env);
    };
    // A whole run, to know how long one takes.
    QElapsedTimer timer;
    timer.start();
    {
        QProcess p;
        start(p, 0);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0);
    }
    const int runMs = int(timer.elapsed());
    for (const QString& name : names)
        ASSERT_EQ(contentOf(dir.filePath("Ziel/" + name)), setA[name]);

    int kills = 0, fromA = 0, fromB = 0, midCopy = 0;
    for (int round = 1; round <= rounds() && !::testing::Test::HasFailure(); ++round) {
        QProcess p;
        start(p, round);
        QThread::msleep(ulong(randomMs(runMs)));
        killNow(p);
        ++kills;
        // A part file left beside the copies: this kill fell into a copy.
        if (!QDir(dir.filePath("Ziel")).entryList({"*.zendor-part"}).isEmpty())
            ++midCopy;
        for (const QString& name : names) {
            const std::optional<QByteArray> now = contentOf(dir.filePath("Ziel/" + name));
            ASSERT_TRUE(now.has_value()) << name.toStdString() << " missing after kill " << kills;
            ASSERT_TRUE(*now == setA[name] || *now == setB[name])
                << name.toStdString() << " neither old nor new after kill " << kills << " (" << now->size() << " bytes)";
            ++(*now == setA[name] ? fromA : fromB);
        }
    }
    std::printf("kill-test: zendor killed %d times, %d of them in the middle of a copy; 4 copies whole every time "
                "(%d files of one set, %d of the other)\n",
                kills, midCopy, fromA, fromB);
}

} // namespace
