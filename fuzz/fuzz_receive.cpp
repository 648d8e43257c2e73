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

struct Options
{
    int end = 0;
    bool filter = false;
    QString filterCodes;
    bool ring = false;
    bool immediate = false;
    bool timeStamp = false;
    bool indexStamp = false;
    int backSpace = 0;
    bool controlNames = false;
    bool convert = false;
    bool ansiOem = false;
    bool oemAnsi = false;
    bool upper = false;
    bool lower = false;
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
// by streams an eighth as long (one outgrowing 64 KiB cost about 10 ms). Above the longest
// ordinary stream (4 copies of at most 1 KB), so those are all compared whole against cut.
constexpr qsizetype kBufferLimit = 8192;

// One run of the pipeline over the stream cut into the given reads.
Lines run(const Options& o, const QList<QByteArray>& reads, QByteArray* rest)
{
    TerminalState state(folders());
    KundeSettings& s = state.settings;
    s.endzeichen = o.end;
    s.filter = o.filter;
    s.filterZ = o.filterCodes;
    state.filter = FilterTable::fromSetting(o.filterCodes);
    s.anruf = o.ring;
    s.sofortEmpf = o.immediate;
    s.zeitStemp = o.timeStamp;
    s.indexStemp = o.indexStamp;
    s.backSpace = o.backSpace;
    s.steuerAnzg = o.controlNames;
    s.konvert = o.convert;
    s.ansiOem = o.ansiOem;
    s.oemAnsi = o.oemAnsi;
    s.allesGr = o.upper;
    s.allesKl = o.lower;
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
    static const int kEnds[] = {0, 13, 10, 3, 7, 26};
    const int endChoice = in.pick(8);
    o.end = endChoice < 6 ? kEnds[endChoice] : in.byte();
    const uint8_t a = in.byte();
    const uint8_t b = in.byte();
    o.filter = a & 1;
    o.ring = a & 2;
    o.immediate = a & 4;
    o.timeStamp = a & 8;
    o.indexStamp = a & 16;
    o.controlNames = a & 32;
    o.debug = a & 64;
    o.connected = a & 128;
    o.convert = b & 1;
    o.ansiOem = b & 2;
    o.oemAnsi = b & 4;
    o.upper = b & 8;
    o.lower = b & 16;
    o.backSpace = (b & 32) ? in.byte() : 0;
    if (o.filter) {
        const int n = in.pick(4);
        for (int i = 0; i < n; ++i)
            o.filterCodes += QString::number(in.byte()) + QLatin1Char(',');
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

    const bool plain = !o.filter && !o.immediate && !o.controlNames && !o.convert && !o.upper && !o.lower
        && !stream.contains('\x02');
    if (plain) {
        const qsizetype kept = cutRun.bytes + rest.size();
        FUZZ_CHECK(kept <= stream.size());
        FUZZ_CHECK(stream.size() - kept <= cutRun.lines.size());
    }

    if (o.end != 0 && !o.immediate && stream.size() < kBufferLimit) {
        QByteArray wholeRest;
        const Lines whole = run(o, {stream}, &wholeRest);
        FUZZ_CHECK(whole.lines == cutRun.lines);
        FUZZ_CHECK(wholeRest == rest);
    }
    return 0;
}
