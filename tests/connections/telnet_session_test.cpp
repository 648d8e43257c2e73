#include "shared/platform/scripted_prompter.h"
#include "terminal/connections/telnet_session.h"
#include "terminal/connections/telnet_text.h"
#include "terminal/core/error_report.h"
#include "tests/connections/free_port.h"
#include "tests/support/virtual_clock.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

QByteArray allBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b += char(i);
    return b;
}

class TelnetSessionTest : public ::testing::Test
{
protected:
    ScriptedPrompter prompter;
    VirtualClock clock;
    ErrorReport errors{prompter, clock};
    TelnetSession session{prompter, errors};
    QByteArray received;
    quint16 port = freePort();

    void SetUp() override
    {
        QObject::connect(&session, &TelnetSession::received, [this](const QByteArray& b) {
            EXPECT_LE(b.size(), TelnetSession::kReadSize);
            received += b;
        });
    }

    // A real client connected to the session and accepted by it.
    void connectClient(QTcpSocket& client)
    {
        client.connectToHost(QHostAddress::LocalHost, port);
        ASSERT_TRUE(client.waitForConnected(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.clientConnected(); }, 5000));
    }
};

} // namespace

TEST(TelnetText, AddressesAndPort)
{
    QString problem;
    EXPECT_EQ(*TelnetSession::listenAddress("localhost", &problem), QHostAddress(QHostAddress::AnyIPv4));
    EXPECT_EQ(*TelnetSession::listenAddress(" 127.0.0.1 ", &problem), QHostAddress("127.0.0.1"));
    for (const char* wrong : {"127.0.0", "127.0.0.256", "1.2.3.4.5", "a.b.c.d", "127..0.1", "0x7f.0.0.1", "-1.0.0.0"}) {
        problem.clear();
        EXPECT_FALSE(TelnetSession::listenAddress(wrong, &problem)) << wrong;
        EXPECT_TRUE(problem.contains("keine IPv4-Adresse")) << wrong;
    }
    EXPECT_EQ(TelnetSession::portFrom(0), 23);
    EXPECT_EQ(TelnetSession::portFrom(-5), 23);
    EXPECT_EQ(TelnetSession::portFrom(70000), 23);
    EXPECT_EQ(TelnetSession::portFrom(2323), 2323);
}

TEST(TelnetText, BytesToDisplayAndKeys)
{
    TelnetText text;
    // CR LF split over two reads is one break; NUL and control codes become visible.
    EXPECT_EQ(text.decode(QByteArray("a\r", 2)), "a\n");
    EXPECT_EQ(text.decode(QByteArray("\nb\0\x01\x7f\t", 6)), QString("b") + QChar(0x2400) + QChar(0x2401) + QChar(0x2421) + "\t");
    EXPECT_EQ(text.decode("\n\n"), "\n\n");
    EXPECT_EQ(text.decode("\x80\xe4\xff"), QString::fromUtf8("€äÿ"));
    // An endless line is broken for the display.
    text.reset();
    const QString line = text.decode(QByteArray(TelnetText::kLineLimit * 2 + 5, 'x'));
    EXPECT_EQ(line.count('\n'), 2);
    EXPECT_EQ(line.indexOf('\n'), TelnetText::kLineLimit);

    EXPECT_EQ(TelnetText::keyBytes("\r"), QByteArray("\r\n"));
    EXPECT_EQ(TelnetText::keyBytes(QString::fromUtf8("ä€")), QByteArray("\xe4\x80"));
    EXPECT_EQ(TelnetText::keyBytes(QString::fromUtf8("→")), QByteArray());
}

TEST_F(TelnetSessionTest, ConnectAsksAndListensOnAllAddresses)
{
    prompter.addAnswer("localhost");
    QSignalSpy opened(&session, &TelnetSession::opened);
    QSignalSpy cleared(&session, &TelnetSession::cleared);
    ASSERT_TRUE(session.Connect(port));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].kind, "input");
    EXPECT_EQ(prompter.records()[0].caption, "Telnet Session - Connect");
    EXPECT_EQ(prompter.records()[0].text, "Geben Sie die Zieladresse an:");
    EXPECT_EQ(cleared.size(), 1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].value<qintptr>(), session.socketNumber());
    EXPECT_GT(session.socketNumber(), 0);
    EXPECT_EQ(session.listeningPort(), port);

    // An empty answer or Cancel changes nothing.
    TelnetSession other(prompter, errors);
    prompter.addAnswer("");
    EXPECT_FALSE(other.Connect(freePort()));
    EXPECT_FALSE(other.active());

    // Disconnect answered No keeps the session; No is the default button.
    prompter.addAnswer("No");
    EXPECT_FALSE(session.Disconnect());
    EXPECT_TRUE(session.active());
    EXPECT_EQ(prompter.records().last().caption, "Sicherheitsabfrage");
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie die aktive Telnet-Session beenden?");
    prompter.addAnswer("Yes");
    EXPECT_TRUE(session.Disconnect());
    EXPECT_FALSE(session.active());
    EXPECT_EQ(session.socketNumber(), -1);
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(TelnetSessionTest, BytesPassBothWaysExactly)
{
    ASSERT_TRUE(session.open("127.0.0.1", port));
    QTcpSocket client;
    connectClient(client);
    const QByteArray bytes = allBytes() + allBytes();
    client.write(bytes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= bytes.size(); }, 5000));
    EXPECT_EQ(received, bytes);

    session.send(bytes);
    QByteArray back;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        back += client.readAll();
        return back.size() >= bytes.size();
    }, 5000));
    EXPECT_EQ(back, bytes);

    // 3000 bytes at once arrive completely, in reads of at most 1024 bytes.
    received.clear();
    QSignalSpy reads(&session, &TelnetSession::received);
    client.write(QByteArray(3000, 'q'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= 3000; }, 5000));
    EXPECT_EQ(received, QByteArray(3000, 'q'));
    EXPECT_GE(reads.size(), 3);
}

TEST_F(TelnetSessionTest, ClientGoneMidLineAndLaterClientReplacesEarlier)
{
    ASSERT_TRUE(session.open("localhost", port));
    {
        QTcpSocket client;
        connectClient(client);
        client.write("half a li");
        client.flush();
        client.disconnectFromHost();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !session.clientConnected(); }, 5000));
    }
    EXPECT_EQ(received, "half a li");
    EXPECT_TRUE(session.active()) << "the listener waits for the next client";
    session.send("nobody there"); // no client: nothing happens

    QTcpSocket first;
    connectClient(first);
    QTcpSocket second;
    second.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(second.waitForConnected(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.state() == QAbstractSocket::UnconnectedState; }, 5000))
        << "the earlier client is closed when a later one connects";
    session.send("to second");
    QByteArray got;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        got += second.readAll();
        return got.size() >= 9;
    }, 5000));
    EXPECT_EQ(got, "to second");
}

TEST_F(TelnetSessionTest, FloodIsReadInBoundedPieces)
{
    ASSERT_TRUE(session.open("localhost", port));
    QTcpSocket client;
    connectClient(client);
    constexpr qint64 total = 10 * 1024 * 1024;
    qint64 count = 0;
    qint64 mostBuffered = 0;
    quint32 sum = 0;
    QObject::disconnect(&session, &TelnetSession::received, nullptr, nullptr);
    QObject::connect(&session, &TelnetSession::received, [&](const QByteArray& b) {
        count += b.size();
        for (char c : b)
            sum += static_cast<unsigned char>(c);
        mostBuffered = std::max(mostBuffered, session.bufferedBytes());
    });
    QByteArray block(64 * 1024, '\0');
    quint32 sentSum = 0;
    for (int i = 0; i < block.size(); ++i) {
        block[i] = char(i * 7);
        sentSum += static_cast<unsigned char>(block[i]);
    }
    for (qint64 written = 0; written < total; written += block.size())
        client.write(block);
    sentSum *= quint32(total / block.size());
    ASSERT_TRUE(QTest::qWaitFor([&] { return count >= total; }, 120000)) << count;
    EXPECT_EQ(count, total);
    EXPECT_EQ(sum, sentSum);
    EXPECT_LE(mostBuffered, TelnetSession::kReadBuffer) << "the session never holds more than its read buffer";
}

TEST_F(TelnetSessionTest, PortInUseAndWrongAddressAreReported)
{
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::AnyIPv4, port));
    EXPECT_FALSE(session.open("localhost", port));
    EXPECT_FALSE(session.active());
    ASSERT_EQ(prompter.records().size(), 1);
    const PromptRecord box = prompter.records()[0];
    EXPECT_TRUE(box.caption.startsWith("Fehler - Socketbindung (")) << box.caption.toStdString();
    EXPECT_EQ(box.icon, "Warning");
    EXPECT_TRUE(box.text.startsWith("Socket konnte nicht gebunden werden. Telnet Session nicht möglich.\r\r"));
    QTcpServer again;
    again.listen(QHostAddress::AnyIPv4, port);
    EXPECT_TRUE(box.text.endsWith(again.errorString())) << "the system's reason: " << box.text.toStdString();

    EXPECT_FALSE(session.open("127.0.0.300", port));
    EXPECT_TRUE(prompter.records().last().text.contains("\"127.0.0.300\" ist keine IPv4-Adresse"));
}
