// The file transfer between two terminals: the marker rules, the escaped data, the names a
// receiver accepts, and a sender and a receiver talking to each other over an in-memory
// line whose reads are cut at random places.
#include "shared/platform/scripted_prompter.h"
#include "terminal/connections/binary_protocol.h"
#include "terminal/connections/binary_transfer.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"
#include "tests/support/fake_shell.h"
#include "tests/support/virtual_clock.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace tarvex;
using namespace tarvex::binary;

namespace {

const QList<QByteArray> kAllMarkers{kPoll, kReady, kEscapeOffer, kHeaderStart, kHeaderStartEscaped,
                                    kHeaderEnd, kFileEnd, kTransferEnd};

// Random bytes with every marker (and its pieces) strewn in.
QByteArray hostileData(QRandomGenerator& random, int size)
{
    QByteArray data;
    while (data.size() < size) {
        const quint32 pick = random.bounded(10);
        if (pick < 4) {
            const QByteArray& m = kAllMarkers.at(random.bounded(int(kAllMarkers.size())));
            data += m.left(1 + random.bounded(int(m.size())));
        } else if (pick < 6) {
            data += char(0xFA + random.bounded(6));
            data += '\x01';
        } else {
            data += char(random.bounded(256));
        }
    }
    return data;
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QList<QByteArray> cutRandomly(const QByteArray& data, QRandomGenerator& random, int maxPiece)
{
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype n = qMin<qsizetype>(1 + random.bounded(maxPiece), data.size() - at);
        pieces << data.mid(at, n);
        at += n;
    }
    return pieces;
}

TEST(BinaryProtocol, EscapedDataHoldsNoMarkerAndDecodesBackWhereverItIsCut)
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 200; ++round) {
        const QByteArray data = hostileData(random, 1 + random.bounded(600));
        EscapeEncoder encoder;
        QByteArray escaped;
        for (const QByteArray& piece : cutRandomly(data, random, 40))
            escaped += encoder.encode(piece);
        for (const QByteArray& m : kAllMarkers)
            ASSERT_EQ(escaped.indexOf(m), -1) << "marker in escaped data, round " << round;
        // Nor can a marker start in the data and end in the marker that follows it.
        ASSERT_EQ((escaped + kFileEnd).indexOf(kFileEnd), escaped.size());
        ASSERT_EQ((escaped + kHeaderEnd).indexOf(kHeaderEnd), escaped.size());
        // Decoded in pieces of every size from one byte on.
        for (int maxPiece : {1, 2, 3, 5, 1000}) {
            EscapeDecoder decoder;
            QByteArray back;
            for (const QByteArray& piece : cutRandomly(escaped, random, maxPiece))
                back += decoder.decode(piece);
            ASSERT_EQ(back, data) << "round " << round << ", pieces up to " << maxPiece;
        }
    }
    // Only a 01 or 02 behind FA–FF gets a 00; the 00 that follows data 01 00 stays data.
    EXPECT_EQ(EscapeEncoder().encode(QByteArray("\xFB\x01\x00\x01\xFF\x02", 6)),
              QByteArray("\xFB\x01\x00\x00\x01\xFF\x02\x00", 8));
    EXPECT_EQ(EscapeEncoder().encode(QByteArray("\xF9\x01\xFA\x03", 4)), QByteArray("\xF9\x01\xFA\x03", 4));
}

TEST(BinaryProtocol, SizesEntriesAndHeaders)
{
    EXPECT_EQ(kiloText(0), "0");
    EXPECT_EQ(kiloText(1), "0.001");
    EXPECT_EQ(kiloText(2500), "2.5");
    EXPECT_EQ(kiloText(10485760), "10485.76");
    EXPECT_EQ(sendEntry("/tmp/a b/x.bin", 2500), "/tmp/a b/x.bin (2.5)");
    EXPECT_EQ(entryPath("/tmp/a (1)/x.bin (2.5)"), "/tmp/a (1)/x.bin");

    Header h = parseHeader("C:\\Daten\\Liste (alt).dat (12.345)");
    EXPECT_EQ(h.name, "Liste (alt).dat");
    EXPECT_EQ(h.size, 12345);
    h = parseHeader("C:\\Daten\\Bericht.dat  (2,5) ");
    EXPECT_EQ(h.name, "Bericht.dat");
    EXPECT_EQ(h.size, 2500);
    EXPECT_TRUE(h.refusal.isEmpty());
    // No size, or a size that is no number: refused, not guessed.
    EXPECT_FALSE(parseHeader("C:\\Daten\\Bericht.dat").refusal.isEmpty());
    EXPECT_FALSE(parseHeader("C:\\Daten\\Bericht.dat (zwölf)").refusal.isEmpty());
    EXPECT_FALSE(parseHeader("x.dat (1e400)").refusal.isEmpty());
    EXPECT_FALSE(parseHeader("x.dat (-3)").refusal.isEmpty());
}

TEST(BinaryProtocol, HostileNamesAreRefusedOrReducedToABareName)
{
    const QList<std::pair<QString, QString>> reduced{
        {"../../etc/passwd", "passwd"},
        {"/etc/cron.d/job", "job"},
        {"..\\..\\Windows\\system.ini", "system.ini"},
        {"C:\\Windows\\win.ini", "win.ini"},
        {"D:evil.exe", "evil.exe"},
        {"\\\\server\\share\\x.txt", "x.txt"},
        {"dir/sub\\mixed.bin", "mixed.bin"},
        {"CONSOLE.txt", "CONSOLE.txt"},
        {"COM10", "COM10"},
        {"Plan.dat", "Plan.dat"},
    };
    for (const auto& [sent, name] : reduced)
        EXPECT_EQ(safeFileName(sent).value_or("<refused>"), name) << sent.toStdString();
    for (const QString& sent : {QString(), QString("."), QString(".."), QString("dir/.."), QString("C:"),
                                QString("a/"), QString("CON"), QString("nul.txt"), QString("Com3.log"),
                                QString("x\\LPT9"), QString("prn"), QString("aux.tar.gz"),
                                QString("bad\x01name"), QString("line\nbreak"), QString("del\x7F")})
        EXPECT_FALSE(safeFileName(sent).has_value()) << sent.toStdString();
}

// ---- two terminals over an in-memory line -----------------------------------------------

class WireLine : public TransferLine
{
public:
    bool isOpen() const override { return open; }
    bool write(const QByteArray& bytes) override
    {
        if (!open)
            return false;
        writes << bytes;
        outbox += bytes;
        return true;
    }
    void pausePolling() override { polling = false; }
    void resumePolling() override { polling = true; }

    bool open = true;
    bool polling = true;
    QByteArray outbox;
    QList<QByteArray> writes;
};

class RecordingView : public TransferView
{
public:
    void setReceiveStatus(const QString& text) override { receiveStatus << text; }
    void setSendStatus(const QString& text) override { sendStatus << text; }
    void setReceiveProgress(qint64 value, qint64 maximum) override { receiveProgress = {value, maximum}; }
    void setSendProgress(qint64 value, qint64 maximum) override { sendProgress = {value, maximum}; }
    void setBusy(bool busy) override { busyChanges << busy; }
    void setRunning(bool r) override { running << r; }

    QStringList receiveStatus;
    QStringList sendStatus;
    std::pair<qint64, qint64> receiveProgress;
    std::pair<qint64, qint64> sendProgress;
    QList<bool> busyChanges;
    QList<bool> running;
};

// Virtual time whose waits let the other side run.
class PumpingClock : public VirtualClock
{
public:
    void wait(int ms) override
    {
        VirtualClock::wait(ms);
        if (onWait)
            onWait();
    }
    std::function<void()> onWait;
};

struct Side
{
    Side(const QString& folder, Clock& clock)
        : state(AppFolders::resolve(folder, QString(), folder + "/peruser")),
          errors(prompter, clock),
          transfer(state, bus, line, clock, prompter, shell, errors)
    {
        transfer.setView(&view);
    }
    TerminalState state;
    DataBus bus;
    ScriptedPrompter prompter;
    FakeShell shell;
    WireLine line;
    RecordingView view;
    ErrorReport errors;
    BinaryTransfer transfer;
};

class BinaryTransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("in");
        QDir(dir.path()).mkpath("out");
        clock.onWait = [this] { pump(); };
    }

    QString in(const QString& name = QString()) const { return dir.filePath("in/" + name); }
    QString out(const QString& name) const { return dir.filePath("out/" + name); }

    QString source(const QString& name, const QByteArray& bytes)
    {
        QFile f(out(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return sendEntry(out(name), bytes.size());
    }

    // What one side wrote reaches the other in pieces of at most maxPiece bytes, while that
    // side's poll runs; a side that does not take the bytes lets them go to its line pipeline.
    void deliver(Side& from, Side& to)
    {
        if (from.line.outbox.isEmpty() || !to.line.polling)
            return;
        const QByteArray bytes = std::exchange(from.line.outbox, QByteArray());
        if (!to.bus.rawTaken()) {
            lost[&to] += bytes;
            return;
        }
        for (const QByteArray& piece : cutRandomly(bytes, random, maxPiece))
            to.bus.publishTaken(piece);
    }
    void pump()
    {
        while (!sender.line.outbox.isEmpty() || !receiver.line.outbox.isEmpty()) {
            const QByteArray before = sender.line.outbox + "|" + receiver.line.outbox;
            deliver(sender, receiver);
            deliver(receiver, sender);
            if (before == sender.line.outbox + "|" + receiver.line.outbox)
                break; // the rest waits for a paused poll
        }
    }

    QStringList receivedFiles() const { return QDir(in()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    PumpingClock clock;
    QRandomGenerator random{7};
    int maxPiece = 700;
    Side sender{dir.filePath("a"), clock};
    Side receiver{dir.filePath("b"), clock};
    QMap<Side*, QByteArray> lost;
};

TEST_F(BinaryTransferTest, FilesWithEveryMarkerInsideArriveByteForByte)
{
    QRandomGenerator data(99);
    const QByteArray hostile = hostileData(data, 300000);
    QByteArray everyMarker;
    for (const QByteArray& m : kAllMarkers)
        everyMarker += m + m.left(2) + "x";
    const QStringList entries{source("leer.bin", {}), source("eins.bin", "\xFF"), source("feind.bin", hostile),
                              source("marken.bin", everyMarker)};
    QFile old(in("eins.bin"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an old file of that name is replaced");
    old.close();

    receiver.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    EXPECT_EQ(receiver.view.receiveStatus.last(), "Warte auf Sendebeginn von Gegenseite...");
    sender.prompter.addAnswer("Yes");
    ASSERT_TRUE(sender.transfer.send(entries));
    pump(); // the transfer end is still on its way

    EXPECT_EQ(sender.prompter.records().at(0).text,
              "Binärdateien\t: 4\rGesamtgrösse\t: " + kiloText(hostile.size() + everyMarker.size() + 1)
                  + " KBytes\r\rWollen Sie den Transfer starten?");
    EXPECT_EQ(receiver.prompter.records().at(0).text, "Wollen Sie die Empfangsbereitschaft beginnen?");
    EXPECT_EQ(receivedFiles(), (QStringList{"eins.bin", "feind.bin", "leer.bin", "marken.bin"}));
    for (const QString name : {"leer.bin", "eins.bin", "feind.bin", "marken.bin"}) {
        QFile a(out(name)), b(in(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_TRUE(a.readAll() == b.readAll()) << name.toStdString();
    }
    // The receiver answered with its offer and got escaped headers.
    EXPECT_EQ(receiver.line.writes.first(), kReady + kEscapeOffer);
    EXPECT_TRUE(sender.line.writes.at(1).startsWith(kHeaderStartEscaped));
    EXPECT_EQ(sender.view.sendStatus.last(), "Transfer beendet. Alle Dateien gesendet.");
    EXPECT_EQ(receiver.view.receiveStatus.last(), "Transfer wurde beendet. Alle Dateien empfangen.");
    EXPECT_TRUE(receiver.view.receiveStatus.contains("Empfange: feind.bin"));
    EXPECT_TRUE(sender.view.sendStatus.contains(entries.at(2) + "..."));
    ASSERT_EQ(receiver.shell.calls.size(), 1);
    EXPECT_EQ(receiver.shell.calls.at(0).what, "folder");
    EXPECT_EQ(receiver.shell.calls.at(0).target, in());
    EXPECT_FALSE(sender.transfer.active());
    EXPECT_FALSE(receiver.transfer.active());
    EXPECT_FALSE(sender.bus.rawTaken());
    EXPECT_FALSE(receiver.bus.rawTaken());
    EXPECT_TRUE(sender.line.polling);
    EXPECT_EQ(sender.view.running, (QList<bool>{true, false}));
    EXPECT_EQ(sender.prompter.unexpected() + receiver.prompter.unexpected(), 0);
}

TEST_F(BinaryTransferTest, ReadsCutIntoSingleBytesLoseNothing)
{
    maxPiece = 1;
    QRandomGenerator data(5);
    const QByteArray bytes = hostileData(data, 5000);
    receiver.prompter.addAnswer("Yes");
    sender.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    ASSERT_TRUE(sender.transfer.send({source("a.bin", bytes)}));
    pump();
    QFile f(in("a.bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == bytes);
}

TEST_F(BinaryTransferTest, SendsBlocksOfThousandWithPausesAroundHeadersAndEnds)
{
    QByteArray bytes(2500, 'x');
    const QString entry = source("z.bin", bytes);
    const QString empty = source("leer.bin", {});
    // A receiver that speaks the plain protocol: ready without the offer.
    clock.onWait = [this] {
        if (sender.line.outbox.endsWith(kPoll) && sender.bus.rawTaken())
            sender.bus.publishTaken("noise" + kReady);
        sender.line.outbox.clear();
    };
    sender.prompter.addAnswer("Yes");
    ASSERT_TRUE(sender.transfer.send({entry, empty}));

    const QList<QByteArray>& w = sender.line.writes;
    ASSERT_EQ(w.size(), 9);
    EXPECT_EQ(w.at(0), kPoll);
    EXPECT_EQ(w.at(1), kHeaderStart + entry.toUtf8() + kHeaderEnd); // plain: the entry as it is
    EXPECT_EQ(w.at(2), QByteArray(1000, 'x'));
    EXPECT_EQ(w.at(3), QByteArray(1000, 'x'));
    EXPECT_EQ(w.at(4), QByteArray(500, 'x'));
    EXPECT_EQ(w.at(5), kFileEnd);
    EXPECT_EQ(w.at(6), kHeaderStart + empty.toUtf8() + kHeaderEnd); // an empty file: no data
    EXPECT_EQ(w.at(7), kFileEnd);
    EXPECT_EQ(w.at(8), kTransferEnd);
    QList<int> pauses;
    for (int ms : clock.waits())
        if (ms > 0)
            pauses << ms;
    // After the poll, once more for an offer that could follow the ready answer, after each
    // header, before and after each file end, one more after the last file.
    EXPECT_EQ(pauses, (QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}));
    EXPECT_EQ(sender.view.sendProgress, (std::pair<qint64, qint64>{1, 1}));
}

TEST_F(BinaryTransferTest, PollsOnOddSecondsUntilTheReceiverAnswers)
{
    clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 0, 0)));
    int waits = 0;
    clock.onWait = [&] {
        if (++waits == 4 && sender.bus.rawTaken())
            sender.bus.publishTaken(kReady);
    };
    sender.prompter.addAnswer("Yes");
    EXPECT_TRUE(sender.transfer.send({source("e.bin", {})}));
    // Seconds 0, 1, 2, 3: polls at 1 and 3 only.
    EXPECT_EQ(sender.line.writes.mid(0, 2), (QList<QByteArray>{kPoll, kPoll}));
    EXPECT_TRUE(sender.line.writes.at(2).startsWith(kHeaderStart));
}

TEST_F(BinaryTransferTest, ReceiverServesAPlainSenderAndAnswersEveryPoll)
{
    receiver.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    auto feed = [&](const QByteArray& b) { receiver.bus.publishTaken(b); };
    feed(kPoll);
    feed("xy" + kPoll.left(1));
    feed(kPoll.mid(1));
    EXPECT_EQ(receiver.line.writes, (QList<QByteArray>{kReady + kEscapeOffer, kReady + kEscapeOffer}));

    // Plain data holding a poll, a header start and a file end cut across two reads.
    const QByteArray data = "A" + kPoll + kHeaderStart + "B\xFB\x01\xFB" + "C";
    feed(kHeaderStart + "C:\\Quelle\\p.bin (0.014)" + kHeaderEnd + data.left(5));
    feed(data.mid(5) + kFileEnd.left(3));
    EXPECT_FALSE(QFile::exists(in("p.bin")));
    feed(kFileEnd.mid(3) + kTransferEnd);
    QFile f(in("p.bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == data);
    EXPECT_EQ(receiver.view.receiveProgress, (std::pair<qint64, qint64>{14, 14}));
    EXPECT_FALSE(receiver.transfer.active());
}

TEST_F(BinaryTransferTest, RefusedAndBrokenHeadersSkipTheirFileAndTheTransferGoesOn)
{
    receiver.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    auto file = [](const QByteArray& header, const QByteArray& data) {
        return kHeaderStart + header + kHeaderEnd + data + kFileEnd;
    };
    // A header start with no end in reach is line noise; the file after it arrives.
    receiver.bus.publishTaken(kHeaderStart + QByteArray(5000, 'n'));
    receiver.bus.publishTaken(QByteArray(5000, 'n'));
    receiver.bus.publishTaken(kHeaderStart + "xx" + file("gut2.txt (0.003)", "pqr"));
    receiver.bus.publishTaken(file("..\\..\\boot.ini (0.003)", "abc") + file("/tmp/NUL.txt (0.003)", "def")
                              + file("x\\ok.txt", "ghi") + file("x\\ok2.txt (zwei)", "jkl")
                              + file("C:\\x\\gut.txt (0.003)", "mno") + kTransferEnd);
    EXPECT_EQ(receivedFiles(), (QStringList{"boot.ini", "gut.txt", "gut2.txt"}));
    EXPECT_EQ(contentOf(in("gut2.txt")), "pqr");
    EXPECT_TRUE(receiver.view.receiveStatus.contains("Datei übersprungen (unzulässiger Dateiname): /tmp/NUL.txt"));
    EXPECT_TRUE(receiver.view.receiveStatus.contains("Datei übersprungen (ohne Größenangabe): x\\ok.txt"));
    EXPECT_TRUE(receiver.view.receiveStatus.contains("Datei übersprungen (Größe unlesbar): x\\ok2.txt"));
    EXPECT_EQ(receiver.view.receiveStatus.last(), "Transfer wurde beendet. 3 Datei(en) nicht empfangen.");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "nothing outside the target folder";
}

TEST_F(BinaryTransferTest, ATruncatedFileLeavesNothingUnderItsName)
{
    QFile old(in("teil.bin"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    receiver.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    receiver.bus.publishTaken(kHeaderStart + "teil.bin (5)" + kHeaderEnd + QByteArray(3000, 'q'));
    // Meanwhile the old file stays as it was.
    EXPECT_EQ(receivedFiles(), QStringList{"teil.bin"});
    receiver.transfer.cancel();
    EXPECT_EQ(receivedFiles(), QStringList{"teil.bin"});
    QFile f(in("teil.bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "previous");
    EXPECT_EQ(receiver.view.receiveStatus.last(), "Transfer abgebrochen.");
    EXPECT_FALSE(receiver.bus.rawTaken());

    // An escaping sender that starts over in the middle of a file: the piece is dropped.
    receiver.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    receiver.bus.publishTaken(kHeaderStartEscaped + "neu.bin (1)" + kHeaderEnd + "abc" + kPoll);
    EXPECT_EQ(receivedFiles(), QStringList{"teil.bin"});
    EXPECT_EQ(receiver.line.writes.last(), kReady + kEscapeOffer);
    EXPECT_EQ(receiver.view.receiveStatus.last(), "Datei unvollständig, verworfen: neu.bin");
}

TEST_F(BinaryTransferTest, RefusesAMissingFolderAndAClosedLine)
{
    EXPECT_FALSE(receiver.transfer.startReceiving(in("fehlt")));
    ASSERT_EQ(receiver.prompter.records().size(), 1);
    EXPECT_EQ(receiver.prompter.records().at(0).caption, "Sicherheitshinweis");
    EXPECT_EQ(receiver.prompter.records().at(0).text, "Der Zielordner\r\r" + in("fehlt") + "\r\rexistiert nicht.");
    receiver.prompter.clearRecords();
    receiver.line.open = false;
    sender.line.open = false;
    EXPECT_FALSE(receiver.transfer.startReceiving(in()));
    EXPECT_FALSE(sender.transfer.send({source("x", "1")}));
    EXPECT_TRUE(receiver.prompter.records().isEmpty());
    EXPECT_TRUE(sender.prompter.records().isEmpty());

    receiver.line.open = true;
    receiver.prompter.addAnswer("No");
    EXPECT_FALSE(receiver.transfer.startReceiving(in()));
    EXPECT_FALSE(receiver.bus.rawTaken());
}

TEST_F(BinaryTransferTest, ACancelledOrCutSendStopsAndGivesTheLineBack)
{
    const QString missing = sendEntry(out("gibtsnicht.bin"), 5);
    const QString entry = source("gross.bin", QByteArray(50000, 'g'));
    receiver.prompter.addAnswer("Yes");
    ASSERT_TRUE(receiver.transfer.startReceiving(in()));
    int blocks = 0;
    clock.onWait = [&] {
        pump();
        if (sender.line.writes.size() > 3 && ++blocks == 10)
            sender.transfer.cancel();
    };
    sender.prompter.addAnswer("Yes");
    EXPECT_FALSE(sender.transfer.send({missing, entry}));
    // The missing file is reported and nothing of it sent.
    ASSERT_EQ(sender.prompter.records().size(), 2);
    EXPECT_TRUE(sender.prompter.records().at(1).caption.startsWith("Systemfehler"));
    EXPECT_TRUE(sender.prompter.records().at(1).text.contains("BinaerTransfer"));
    EXPECT_EQ(sender.view.sendStatus.last(), "Transfer abgebrochen.");
    EXPECT_FALSE(sender.transfer.active());
    EXPECT_FALSE(sender.bus.rawTaken());
    EXPECT_TRUE(sender.line.polling);
    EXPECT_LT(sender.line.writes.size(), 20);
    EXPECT_TRUE(receiver.transfer.active());
    receiver.transfer.cancel();
    EXPECT_TRUE(receivedFiles().isEmpty());

    // The line goes away while the sender waits for an answer.
    clock.onWait = [&] { sender.line.open = false; };
    sender.prompter.addAnswer("Yes");
    EXPECT_FALSE(sender.transfer.send({entry}));
    EXPECT_EQ(sender.view.sendStatus.last(), "Transfer abgebrochen.");
    EXPECT_FALSE(sender.transfer.active());
}

} // namespace
