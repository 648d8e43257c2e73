// The receive pipeline on arbitrary byte streams from the port. The first bytes choose the
// end character (automatic, CR, LF, ETX, BEL, SUB or any code), the options (filter,
// incoming call, immediate mode with stamps, backspace code, control character names,
// conversions, upper/lower case, debug captions) and how the stream is cut into reads;
// a repeat count gives a few copies of it or lets it outgrow the line buffer.
//
// Checked: the buffer stays bounded; without options that change the content, every byte
// is delivered once (in a line, or as the end character that cut one) or still waits in
// the buffer; with a fixed end character and whole lines, the way the stream was cut into
// reads does not change the lines.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_setup.h"
#include "shared/app_folders.h"
#include "shared/platform/scripted_prompter.h"
#include "terminal/core/data_bus.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"
#include "terminal/receive/receive_listener.h"
#include "terminal/receive/receive_pipeline.h"
#include "terminal/serial/serial_line.h"
#include "tests/support/memory_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>

using namespace tarvex;

namespace {

struct Lines : ReceiveListener
{
    void lineReceived(const QByteArray& line, const QByteArray&, bool immediate) override
    {
        lines.append(line);
        bytes += line.size();
        immediates += immediate ? 1 : 0;
    }
    void characterFiltered(unsigned char) override { ++filtered; }
    void backspaceReceived() override {}
    void bell() override {}
    void debugCaption(const QString&) override {}
    void endCharacterDetected() override {}
    void receiving(bool) override {}

    QList<QByteArray> lines;
    qsizetype bytes = 0;
    int immediates = 0;
    int filtered = 0;
};

// The settings the stream is received with, and the terminal's state besides them.
struct Options
{
    KundeSettings settings;
    bool debug = false;
    bool connected = false;
};

const AppFolders& folders()
{
    static QTemporaryDir dir;
    static const AppFolders f = AppFolders::resolve(dir.path(), QString(), dir.filePath(QStringLiteral("peruser")));
    return f;
}

// The line buffer's limit in these runs: the same code as at the program's 64 KiB, reached
// by streams a thirty-second as long. Above the longest ordinary stream (4 copies of a
// piece of at most 256 bytes, scripts/fuzz), so those are all compared whole against cut.
constexpr qsizetype kBufferLimit = 2048;

// One run of the pipeline over the stream cut into the given reads.
Lines run(const Options& o, const QList<QByteArray>& reads, QByteArray* rest)
{
    TerminalState state(folders());
    state.settings = o.settings;
    state.filter = FilterTable::fromSetting(o.settings.filterZ);
    state.debugMode = o.debug;
    state.connectionActive = o.connected;
    state.controlCharList = TerminalState::kControlCharList;

    ScriptedPrompter prompter;
    VirtualClock clock;
    ErrorReport errors(prompter, clock);
    ViewRoles view;
    MemorySerialPort port;
    SerialSettings settings;
    port.open(settings, nullptr);
    SerialLine line(state, port, prompter, clock, errors, view);
    DataBus bus;
    ReceivePipeline pipeline(state, port, line, errors, clock, bus);
    pipeline.setBufferLimit(kBufferLimit);
    Lines lines;
    pipeline.setListener(&lines);
    for (const QByteArray& r : reads) {
        port.incoming.append(r);
        pipeline.SeriellLesen();
        FUZZ_CHECK(pipeline.buffer().size() < kBufferLimit);
    }
    // A failure inside a pass would have become a report (a box); nothing may fail here.
    for (const PromptRecord& box : prompter.records())
        std::fprintf(stderr, "box: %s\n%s\n", qPrintable(box.caption), qPrintable(box.text));
    FUZZ_CHECK(prompter.records().isEmpty());
    *rest = pipeline.buffer();
    return lines;
}

} // namespace

TARVEX_FUZZ_START(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Options o;
    KundeSettings& s = o.settings;
    static const int kEnds[] = {0, 13, 10, 3, 7, 26};
    const int endChoice = in.pick(8);
    s.endzeichen = endChoice < 6 ? kEnds[endChoice] : in.byte();
    const uint8_t a = in.byte();
    const uint8_t b = in.byte();
    s.filter = a & 1;
    s.anruf = a & 2;
    s.sofortEmpf = a & 4;
    s.zeitStemp = a & 8;
    s.indexStemp = a & 16;
    s.steuerAnzg = a & 32;
    o.debug = a & 64;
    o.connected = a & 128;
    s.konvert = b & 1;
    s.ansiOem = b & 2;
    s.oemAnsi = b & 4;
    s.allesGr = b & 8;
    s.allesKl = b & 16;
    s.backSpace = (b & 32) ? in.byte() : 0;
    if (s.filter) {
        const int n = in.pick(4);
        for (int i = 0; i < n; ++i)
            s.filterZ += QString::number(in.byte()) + QLatin1Char(',');
    }
    const int cutBase = in.pick(32);
    const int cut = 1 + cutBase * (in.flag() ? 50 : 1);
    // A few copies (lines across the seams), or, for one value of the byte, just enough
    // copies to outgrow the line buffer: more would only outgrow it again, and such a
    // stream costs as much as a hundred ordinary ones.
    const int repeatCode = (b & 64) ? in.byte() : 0;
    const QByteArray piece = in.rest();
    const int repeat = repeatCode == 255 ? int(kBufferLimit / std::max<qsizetype>(piece.size(), 1)) + 2
                                         : 1 + repeatCode % 4;
    QByteArray stream;
    stream.reserve(piece.size() * repeat);
    for (int i = 0; i < repeat; ++i)
        stream += piece;

    // At most 64 reads: every read is a pass of its own, and a real port delivers many
    // bytes per read.
    const qsizetype step = std::max<qsizetype>(cut, stream.size() / 64 + 1);
    QList<QByteArray> reads;
    for (qsizetype at = 0; at < stream.size(); at += step)
        reads.append(stream.mid(at, step));

    QByteArray rest;
    const Lines cutRun = run(o, reads, &rest);

    const bool plain = !s.filter && !s.sofortEmpf && !s.steuerAnzg && !s.konvert && !s.allesGr && !s.allesKl
        && !stream.contains('\x02');
    if (plain) {
        const qsizetype kept = cutRun.bytes + rest.size();
        FUZZ_CHECK(kept <= stream.size());
        FUZZ_CHECK(stream.size() - kept <= cutRun.lines.size());
    }

    if (s.endzeichen != 0 && !s.sofortEmpf && stream.size() < kBufferLimit) {
        QByteArray wholeRest;
        const Lines whole = run(o, {stream}, &wholeRest);
        FUZZ_CHECK(whole.lines == cutRun.lines);
        FUZZ_CHECK(wholeRest == rest);
    }
    return 0;
}
