#include "devicesim/device_simulator.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(10, 15, 30));

TEST(DeviceSimulator, RecordsAreCrLfLinesOrStxEtxFramesWithEnquiries)
{
    DeviceSimulator plain(false, 7);
    const QByteArray r = plain.nextRecord(kNow);
    EXPECT_TRUE(r.startsWith("08.12.26 10:15  ")) << r.constData();
    EXPECT_TRUE(r.endsWith("\r\n"));
    EXPECT_EQ(r.count('\r'), 1);

    DeviceSimulator etx(true, 7);
    const QByteArray first = etx.nextRecord(kNow);
    EXPECT_TRUE(first.startsWith("\x05\x02" "08.12.26"));
    EXPECT_TRUE(first.endsWith("\x03"));
    EXPECT_FALSE(etx.nextRecord(kNow).contains('\x05'));
    EXPECT_EQ(first.mid(1), "\x02" + r.chopped(2) + "\x03") << "same seed, same record";
}

TEST(DeviceSimulator, AnswersCommandsAndCountsAcknowledgements)
{
    DeviceSimulator d;
    EXPECT_EQ(d.receive("STA", kNow), "");
    EXPECT_EQ(d.receive("TUS\r\n", kNow), "STATUS: BEREIT, 0 Datensaetze gesendet, 0 quittiert\r\n");
    EXPECT_EQ(d.receive("\x06\x06" "ATZ\r", kNow), "OK\r\n");
    EXPECT_EQ(d.acksReceived(), 2);
    EXPECT_EQ(d.receive("TIME 10:15:00\r", kNow), "TIME OK 10:15:00\r\n");
    EXPECT_EQ(d.receive("quatsch\r", kNow), "? quatsch\r\n");
    const QByteArray geb = d.receive("GEB\r", kNow);
    EXPECT_EQ(geb.count("\r\n"), 3);
    EXPECT_EQ(d.recordsSent(), 3);
    // A hostile flood without line end does not grow without bound.
    d.receive(QByteArray(100000, 'x'), kNow);
    EXPECT_EQ(d.receive("\r", kNow).size(), 4096 + 4);
}

} // namespace
