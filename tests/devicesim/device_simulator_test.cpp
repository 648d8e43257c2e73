#include "devicesim/device_simulator.h"

#include "shared/daten_pipe.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(10, 15, 30));

TEST(DeviceSimulator, RecordsAreChargeRecordsTheSpreadsheetReads)
{
    DeviceSimulator d(DeviceSimulator::LineEnd::CrLf, 7);
    const QByteArray r = d.nextRecord(kNow);
    ASSERT_TRUE(r.endsWith("\r\n"));
    const QString record = QString::fromLatin1(r.chopped(2));
    EXPECT_EQ(pipeFields(record).size(), 8);
    EXPECT_EQ(DatenPipe(1, record), "08.12.2026 10:15:30");
    for (int amountField : {3, 4, 8})
        EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d\\d$").match(DatenPipe(amountField, record)).hasMatch()) << amountField;
    EXPECT_DOUBLE_EQ(DatenPipe(3, record).toDouble() + DatenPipe(4, record).toDouble(), DatenPipe(8, record).toDouble());
}

TEST(DeviceSimulator, LineEndsAndEtxFramingWithPolls)
{
    for (const auto& [name, tail] : {std::pair{"cr", "|\r"}, std::pair{"lf", "|\n"}, std::pair{"crlf", "|\r\n"}}) {
        DeviceSimulator::LineEnd end;
        ASSERT_TRUE(DeviceSimulator::parseLineEnd(name, &end));
        EXPECT_TRUE(DeviceSimulator(end).nextRecord(kNow).endsWith(tail)) << name;
    }
    DeviceSimulator::LineEnd bad;
    EXPECT_FALSE(DeviceSimulator::parseLineEnd("semikolon", &bad));

    DeviceSimulator etx(DeviceSimulator::LineEnd::Etx, 7);
    const QByteArray first = etx.nextRecord(kNow);
    EXPECT_TRUE(first.startsWith("\x05\x02|08.12.2026"));
    EXPECT_TRUE(first.endsWith("|\x03"));
    EXPECT_FALSE(etx.nextRecord(kNow).contains('\x05')) << "only every tenth record is polled";
    EXPECT_EQ(etx.receive("\x06\x06", kNow), "");
    EXPECT_EQ(etx.acksReceived(), 2);
}

TEST(DeviceSimulator, EchoesAndAnswersCommands)
{
    DeviceSimulator d;
    EXPECT_EQ(d.receive("STA", kNow), "");
    EXPECT_EQ(d.receive("TUS\r\n", kNow), "STATUS\r\nSTATUS: BEREIT, 0 Datensaetze gesendet, 0 quittiert\r\n");
    EXPECT_EQ(d.receive("\x05", kNow), "\x06") << "an enquiry is acknowledged";
    EXPECT_EQ(d.receive("TIME 10:15:00\r", kNow), "TIME 10:15:00\r\nTIME OK 10:15:00\r\n");
    EXPECT_EQ(d.receive("quatsch\r", kNow), "quatsch\r\n? quatsch\r\n");
    EXPECT_EQ(d.receive("RING\r", kNow), "RING\r\nRING\r\n");
    EXPECT_EQ(d.receive("GEB\r", kNow).count("\r\n"), 4);
    // A flood without line end stays bounded.
    d.receive(QByteArray(100000, 'x'), kNow);
    EXPECT_EQ(d.receive("\r", kNow).size(), 2 * 4096 + 2 + 4);
}

TEST(DeviceSimulator, BehavesLikeAHayesModem)
{
    DeviceSimulator d;
    EXPECT_EQ(d.receive("ATZ\r", kNow), "ATZ\r\nOK\r\n");
    EXPECT_EQ(d.receive("ATD0301234\r", kNow), "ATD0301234\r\nCONNECT 9600\r\n");
    EXPECT_TRUE(d.online());
    EXPECT_EQ(d.receive("+++", kNow), "OK\r\n");
    EXPECT_EQ(d.receive("ATH\r", kNow), "ATH\r\nNO CARRIER\r\n");
    EXPECT_FALSE(d.online());
}

TEST(DeviceSimulator, BusyNoDialToneAndRingingUntilAnswered)
{
    DeviceSimulator d;
    EXPECT_EQ(d.receive("ATX3DT0W0612666\r\n", kNow), "ATX3DT0W0612666\r\nBUSY\r\n");
    EXPECT_EQ(d.receive("ATDP000\r", kNow), "ATDP000\r\nNO DIALTONE\r\n");
    EXPECT_EQ(d.receive("AT&D2\r", kNow), "AT&D2\r\nOK\r\n");
    EXPECT_FALSE(d.online());
    EXPECT_EQ(d.ring(), "RING\r\n");
    EXPECT_EQ(d.receive("ATA\r\n", kNow), "ATA\r\nCONNECT 9600\r\n");
    EXPECT_TRUE(d.ring().isEmpty()) << "no ringing while a call is up";
    EXPECT_EQ(d.receive("+++ATH\r\n", kNow), "OK\r\nATH\r\nNO CARRIER\r\n");
    EXPECT_EQ(d.receive("ATX3DT0W0612\r\n", kNow), "ATX3DT0W0612\r\nCONNECT 9600\r\n");
}

} // namespace

TEST(DeviceSimulator, AnsiCommandDrawsTheConsoleScreen)
{
    DeviceSimulator d;
    const QByteArray out = d.receive("ansi\r", kNow);
    // echoed, then the screen cleared and drawn; the cursor ends at the prompt
    EXPECT_TRUE(out.startsWith("ansi\r\n\x1b[0m\x1b[2J\x1b[H"));
    EXPECT_TRUE(out.contains("\x1b(0l"));
    EXPECT_TRUE(out.contains(" F1 Hilfe  F2 Liste  F3 Status  F4 Ende"));
    EXPECT_TRUE(out.contains(kNow.toString(QStringLiteral("dd.MM.yyyy hh:mm")).toLatin1()));
    EXPECT_TRUE(out.endsWith("\x1b[21;3H> "));
}
