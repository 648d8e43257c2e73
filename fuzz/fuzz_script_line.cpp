// One line of a script, as the editor's test and a run recognise it, with the placeholder
// values, the other lines of the script (where jumps find their labels) and a second
// script for inclusions all taken from the input (lines separated by LF: the line, the ten
// placeholder values, the included script's commands, then the script's other lines).
//
// Checked: nothing escapes as an exception, PARE replacement inserts each value as it is,
// placeholder arithmetic stays in the 32-bit range, and date/time replacement leaves a
// line without DATE/TIME alone.

#include "fuzz/fuzz_input.h"
#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/platform/scripted_prompter.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/script/placeholders.h"
#include "terminal/script/script_host.h"
#include "terminal/script/script_line_check.h"
#include "terminal/script/scriptablauf.h"
#include "tests/support/fake_shell.h"
#include "tests/support/memory_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <limits>

using namespace tarvex;

namespace {

class QuietHost : public ScriptHost
{
public:
    QString selectedScriptItem() const override { return {}; }
    void setRunning(bool) override {}
    void showCommands(const QStringList&) override {}
    void selectCommand(int) override {}
    QString displayText() const override { return QStringLiteral("Anzeige\r\nZeile 2"); }
    int displayPosition() const override { return 3; }
    void moveDisplayToEnd() override {}
    void clearDisplay(bool) override {}
    QByteArray displayRtf() const override { return "{\\rtf1 Anzeige}"; }
    void printLines(const QStringList&) override {}
    bool playSound(const QString&) override { return true; }
    void focusDisplay() override {}
};

struct Rig
{
    QTemporaryDir dir;
    AppFolders folders = AppFolders::resolve(dir.path(), QString(), dir.filePath(QStringLiteral("peruser")));
    TerminalState state{folders};
    ScriptedPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    MemorySerialPort port;
    Terminal terminal{state, Terminal::Services{prompter, clock, shell, port}};
    QuietHost host;
    ScriptLineCheck check{terminal.context(), host};
};

Rig& rig()
{
    static Rig r;
    return r;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    rig();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Rig& r = rig();
    const QStringList parts = Cp1252::decode(QByteArrayView(data, qsizetype(size))).split(QLatin1Char('\n'));
    const QString line = parts.value(0);
    Placeholders::Values& values = r.state.settings.platzhalter;
    for (int i = 0; i < 10; ++i)
        values[std::size_t(i)] = parts.value(1 + i);
    r.state.scripts.clear();
    r.state.scripts.setSlot(1, QStringLiteral("|Eingebunden|") + QString(parts.value(11)).remove(QLatin1Char('|'))
                                   + QStringLiteral("|1|0|0|0||0||"));
    QStringList scriptLines = parts.mid(12);
    scriptLines.prepend(line);

    // PARE x: each value inserted once, as it is.
    const Placeholders placeholders(values);
    const QString replaced = placeholders.replacePare(line);
    if (!line.contains(QLatin1String("PARE")))
        FUZZ_CHECK(replaced == line);
    for (int i = 0; i < 10; ++i) {
        const QString operand = parts.value(12 + i % 3);
        for (const auto op : {Placeholders::Op::Add, Placeholders::Op::Sub, Placeholders::Op::Mul, Placeholders::Op::Div}) {
            const auto result = placeholders.compute(i, op, operand);
            if (result) {
                const qint64 n = Placeholders::numberOf(*result);
                FUZZ_CHECK(n >= std::numeric_limits<qint32>::min() && n <= std::numeric_limits<qint32>::max());
            }
        }
    }

    const QDateTime now(QDate(2026, 3, 14), QTime(9, 26, 53));
    const QString dated = Scriptablauf::replaceDateTime(line, now);
    if (!line.contains(QLatin1String("DATE")) && !line.contains(QLatin1String("TIME")))
        FUZZ_CHECK(dated == line);

    (void)ScriptLineCheck::keywordOf(line);
    (void)ScriptLineCheck::helpLines(line);
    (void)ScriptLineCheck::editorText(line);
    (void)r.check.explain(line, scriptLines);
    r.prompter.clearRecords();
    r.shell.calls.clear();
    return 0;
}
