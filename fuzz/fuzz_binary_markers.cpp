// The binary file transfer between two terminals: the escaped form of the data, the file
// header a sender announces, and a receiver fed arbitrary bytes from the line (markers,
// headers, escaped and plain data cut into reads anywhere). The first byte chooses.
//
// Checked: escaped data decodes to the data whatever the cuts and never holds a marker;
// a header's name is a bare file name (or refused); the receiver writes only plain files
// into its target folder and, once the transfer ends, leaves no temporary file behind.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_setup.h"
#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/platform/scripted_prompter.h"
#include "terminal/connections/binary_protocol.h"
#include "terminal/connections/binary_transfer.h"
#include "terminal/core/data_bus.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"
#include "tests/support/fake_shell.h"
#include "tests/support/virtual_clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

using namespace tarvex;

namespace {

const QList<QByteArray>& markers()
{
    static const QList<QByteArray> all{binary::kPoll,        binary::kReady,      binary::kEscapeOffer,
                                       binary::kHeaderStart, binary::kHeaderStartEscaped, binary::kHeaderEnd,
                                       binary::kFileEnd,     binary::kTransferEnd};
    return all;
}

void escaping(FuzzInput& in)
{
    const int cut = 1 + in.pick(32);
    const QByteArray data = in.rest();
    binary::EscapeEncoder encoder;
    QByteArray encoded;
    for (qsizetype at = 0; at < data.size(); at += cut)
        encoded += encoder.encode(data.mid(at, cut));
    for (const QByteArray& m : markers())
        FUZZ_CHECK(!encoded.contains(m.left(3)));
    binary::EscapeDecoder decoder;
    QByteArray decoded;
    const int otherCut = 1 + (cut * 5) % 29;
    for (qsizetype at = 0; at < encoded.size(); at += otherCut)
        decoded += decoder.decode(encoded.mid(at, otherCut));
    FUZZ_CHECK(decoded == data);
}

void header(FuzzInput& in)
{
    const QString text = Cp1252::decode(in.rest());
    const binary::Header h = binary::parseHeader(text);
    FUZZ_CHECK(h.name.isEmpty() != h.refusal.isEmpty());
    if (!h.name.isEmpty()) {
        FUZZ_CHECK(!h.name.contains(QLatin1Char('/')) && !h.name.contains(QLatin1Char('\\'))
                   && !h.name.contains(QLatin1Char(':')));
        FUZZ_CHECK(h.name != QLatin1String(".") && h.name != QLatin1String(".."));
        FUZZ_CHECK(h.size >= 0);
    }
    (void)binary::entryPath(text);
}

class QuietLine : public TransferLine
{
public:
    bool isOpen() const override { return true; }
    bool write(const QByteArray&) override { return true; }
    void pausePolling() override {}
    void resumePolling() override {}
};

void receiver(FuzzInput& in)
{
    const int cutBase = in.pick(64);
    const int cut = 1 + cutBase * (in.flag() ? 16 : 1);
    const bool cancelAtEnd = in.flag();
    const QByteArray stream = in.rest();

    QDir root(fuzzScratch().path());
    QDir(root.filePath(QStringLiteral("in"))).removeRecursively();
    root.mkpath(QStringLiteral("in"));
    const QString folder = root.filePath(QStringLiteral("in"));

    static const AppFolders folders = AppFolders::resolve(root.filePath(QStringLiteral("program")), QString(),
                                                          root.filePath(QStringLiteral("peruser")));
    TerminalState state(folders);
    DataBus bus;
    ScriptedPrompter prompter;
    prompter.addAnswer(QStringLiteral("Yes"));
    FakeShell shell;
    VirtualClock clock;
    QuietLine line;
    ErrorReport errors(prompter, clock);
    {
        BinaryTransfer transfer(state, bus, line, clock, prompter, shell, errors);
        FUZZ_CHECK(transfer.startReceiving(folder));
        for (qsizetype at = 0; at < stream.size() && bus.rawTaken(); at += cut)
            bus.publishTaken(stream.mid(at, cut));
        if (cancelAtEnd && transfer.active())
            transfer.cancel();
        if (!transfer.active()) {
            // Ended: every file in the folder is a received one, no temporary file is left.
            for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
                FUZZ_CHECK(f.isFile() && !f.isSymLink());
        }
    }
    // Nothing beside the target folder (and the program's own folders).
    for (const QString& name : root.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        FUZZ_CHECK(name == QLatin1String("in") || name == QLatin1String("program") || name == QLatin1String("peruser"));
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        FUZZ_CHECK(f.isFile());
}

} // namespace

TARVEX_FUZZ_START(true)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    switch (in.pick(3)) {
    case 0: escaping(in); break;
    case 1: header(in); break;
    default: receiver(in); break;
    }
    return 0;
}
