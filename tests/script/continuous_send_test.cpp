#include "terminal/script/continuous_send.h"
#include "terminal/serial/serial_module.h"

#include "tests/script/script_fixture.h"

namespace {

using End = ContinuousSend::End;
using Source = ContinuousSend::Source;

// The continuous send test on the in-memory port in virtual time: every wait of the loop
// also runs `onWait`, which plays the operator (Abbrechen, closing the port) from there.
class ContinuousSendTest : public ScriptFixture
{
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        send = std::make_unique<ContinuousSend>(rig->context(), rig->serial.line());
        send->counterChanged = [this](qint64 counter) { counters.append({counter, clock.monotonicMs()}); };
        clock.poll = [this] {
            rig->receive.pipeline().SeriellLesen();
            if (onWait)
                onWait();
        };
    }

    End run(Source source, const QString& data, int count, int pauseMs)
    {
        return send->run(ContinuousSend::Job{source, data, count, pauseMs});
    }
    QString programFile(const char* name) const { return folders.programDir() + QString::fromUtf8(name); }

    std::unique_ptr<ContinuousSend> send;
    std::function<void()> onWait;
    QList<std::pair<qint64, qint64>> counters; // counter shown, virtual time then
};

TEST_F(ContinuousSendTest, CountedRunSendsWithThePauseBetweenAndResetsTheCounter)
{
    const qint64 start = clock.monotonicMs();
    EXPECT_EQ(run(Source::TextBlock, "TEST 1", 3, 250), End::Finished);
    EXPECT_EQ(port.writes, QList<QByteArray>({"TEST 1\r\n", "TEST 1\r\n", "TEST 1\r\n"}));
    const QList<std::pair<qint64, qint64>> expected{{1, start}, {2, start + 250}, {3, start + 500}, {0, start + 500}};
    EXPECT_EQ(counters, expected);
    // The wait cursor is shown around each send and taken away after it.
    EXPECT_EQ(view.busyCalls, QList<bool>({true, false, true, false, true, false}));
    EXPECT_FALSE(send->running());
}

TEST_F(ContinuousSendTest, WithoutCountItRunsUntilCancelledDuringThePause)
{
    onWait = [this] {
        if (port.writes.size() == 5)
            send->cancel();
    };
    const qint64 start = clock.monotonicMs();
    EXPECT_EQ(run(Source::TextBlock, "X", 0, 1000), End::Cancelled);
    EXPECT_EQ(port.writes.size(), 5);
    // The pause after the fifth send was left at its first look at the flag.
    EXPECT_LT(clock.monotonicMs() - start, 4 * 1000 + 1000);
    EXPECT_EQ(counters.last().first, 0);
}

TEST_F(ContinuousSendTest, TenThousandRepetitionsCountRight)
{
    EXPECT_EQ(run(Source::TextBlock, "A", 10000, 1), End::Finished);
    EXPECT_EQ(port.writes.size(), 10000);
    ASSERT_EQ(counters.size(), 10001);
    EXPECT_EQ(counters.at(9999).first, 10000);
    EXPECT_EQ(counters.at(9999).second - counters.at(0).second, 9999);
    EXPECT_EQ(counters.last().first, 0);
}

TEST_F(ContinuousSendTest, ConnectionClosingOrProgramEndStopsTheRun)
{
    onWait = [this] {
        if (port.writes.size() == 2)
            terminal->VerbindungSteuern(2);
    };
    EXPECT_EQ(run(Source::TextBlock, "A", 0, 10), End::ConnectionClosed);
    EXPECT_EQ(port.writes.size(), 2);

    terminal->VerbindungSteuern(1);
    port.writes.clear();
    onWait = [this] {
        if (port.writes.size() == 1)
            state->endRequest = true;
    };
    EXPECT_EQ(run(Source::TextBlock, "A", 0, 10), End::ProgramEnd);
    EXPECT_EQ(port.writes.size(), 1);
}

TEST_F(ContinuousSendTest, FileLinesAreSentEveryRepetitionAsTheFileIsThen)
{
    // All three line ends, a Windows-1252 umlaut and a last line without line end.
    writeFile(programFile("daten.txt"), "eins\r\nzwei\nGr\xfc\xdf\rvier");
    onWait = [this] {
        if (port.writes.size() == 4)
            writeFile(programFile("daten.txt"), "neu\r\n");
    };
    EXPECT_EQ(run(Source::FileLines, programFile("daten.txt"), 2, 100), End::Finished);
    EXPECT_EQ(port.writes, QList<QByteArray>({"eins\r\n", "zwei\r\n", "Gr\xfc\xdf\r\n", "vier\r\n", "neu\r\n"}));
}

TEST_F(ContinuousSendTest, FileLineEndSplitAcrossReadBlocksIsOneLineEnd)
{
    // CR as the last byte of the first 64 KiB block, its LF the first of the next.
    QByteArray bytes(64 * 1024 - 1, 'x');
    bytes += "\r\nende\r\n";
    writeFile(programFile("gross.txt"), bytes);
    EXPECT_EQ(run(Source::FileLines, programFile("gross.txt"), 1, 0), End::Finished);
    ASSERT_EQ(port.writes.size(), 2);
    EXPECT_EQ(port.writes.at(0), QByteArray(64 * 1024 - 1, 'x') + "\r\n");
    EXPECT_EQ(port.writes.at(1), "ende\r\n");
}

TEST_F(ContinuousSendTest, MissingFileSendsNothingAndTheLoopGoesOn)
{
    EXPECT_EQ(run(Source::FileLines, programFile("fehlt.txt"), 3, 10), End::Finished);
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(counters.size(), 4);
    EXPECT_EQ(prompter.records().size(), 0);
}

TEST_F(ContinuousSendTest, CancelInsideAFileStopsAfterTheCurrentLine)
{
    writeFile(programFile("daten.txt"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
    onWait = [this] {
        if (port.writes.size() == 2)
            send->cancel();
    };
    EXPECT_EQ(run(Source::FileLines, programFile("daten.txt"), 5, 10), End::Cancelled);
    EXPECT_EQ(port.writes, QList<QByteArray>({"1\r\n", "2\r\n"}));
}

TEST_F(ContinuousSendTest, ScriptThatCannotStartEndsTheRun)
{
    int calls = 0;
    send->runScript = [&calls](const QString&) {
        ++calls;
        return ContinuousSend::ScriptStart::Busy;
    };
    EXPECT_EQ(run(Source::Script, "01 Eins", 0, 10), End::ScriptBusy);
    send->runScript = [&calls](const QString&) {
        ++calls;
        return ContinuousSend::ScriptStart::Missing;
    };
    EXPECT_EQ(run(Source::Script, "07 Weg", 0, 10), End::ScriptMissing);
    EXPECT_EQ(calls, 2);
}

TEST_F(ContinuousSendTest, PauseTextInSecondsWithDecimalComma)
{
    EXPECT_EQ(ContinuousSend::pauseText("250"), "= 0,25 Sekunde(n)");
    EXPECT_EQ(ContinuousSend::pauseText("1"), "= 0,001 Sekunde(n)");
    EXPECT_EQ(ContinuousSend::pauseText("1000"), "= 1 Sekunde(n)");
    EXPECT_EQ(ContinuousSend::pauseText("2500 ms"), "= 2,5 Sekunde(n)");
    EXPECT_EQ(ContinuousSend::pauseText("x"), "= 0 Sekunde(n)");
    EXPECT_EQ(ContinuousSend::pauseText(""), "=");
}

} // namespace
