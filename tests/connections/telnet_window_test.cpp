#include "terminal/connections/telnet_session.h"
#include "terminal/connections/ui/telnet_window.h"
#include "terminal/connections/ui/telnet_windows.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/platform/qt_printer.h"

#include "tests/connections/free_port.h"
#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

// The telnet window as the operator reaches it: function 555 of the main window.
class TelnetWindowTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        terminal().StartVorbereitung();
        state->settings.telnetPort = port;
        state->settings.telnetX = 120;
        state->settings.telnetY = 90;
        main = std::make_unique<MainWindow>(terminal(), serial());
        windows = std::make_unique<TelnetWindows>(rig().context(), main->displayActions(), main.get());
    }
    void TearDown() override
    {
        windows.reset();
        main.reset();
    }

    TelnetWindow& open()
    {
        terminal().PrgFunktionen(Fn::Telnet);
        TelnetWindow* w = windows->window();
        EXPECT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        return *w;
    }
    template <typename T>
    static T* the(TelnetWindow& w, const char* name) { return findNamed<T>(w, name); }

    // Connect pressed and answered with the address; a client connects.
    void listenAndConnect(TelnetWindow& w, QTcpSocket& client)
    {
        prompter.addAnswer("localhost");
        QTest::mouseClick(the<QPushButton>(w, "frm23_cmdConnect"), Qt::LeftButton);
        ASSERT_TRUE(windows->session().active());
        client.connectToHost(QHostAddress::LocalHost, port);
        ASSERT_TRUE(client.waitForConnected(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows->session().clientConnected(); }, 5000));
    }

    quint16 port = freePort();
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<TelnetWindows> windows;
};

} // namespace

TEST_F(TelnetWindowTest, ConnectShowsTheSocketAndTheClientsBytes)
{
    TelnetWindow& w = open();
    EXPECT_EQ(w.pos(), QPoint(120, 90));
    auto* connectButton = the<QPushButton>(w, "frm23_cmdConnect");
    auto* label = the<QLabel>(w, "frm23_lbl1");
    auto* display = the<QPlainTextEdit>(w, "frm23_edAnzeige");
    EXPECT_EQ(connectButton->text(), "Connect");
    EXPECT_EQ(label->text(), "Keine Telnet-Session aktiv");
    display->setPlainText("alter Inhalt");

    QTcpSocket client;
    listenAndConnect(w, client);
    EXPECT_EQ(connectButton->text(), "Disconnect");
    EXPECT_TRUE(label->text().startsWith("Verbunden mit 127.0.0.1:")) << label->text().toStdString();

    client.write(QByteArray("Hallo\r\nGr\xfc\xdf" "e\0Ende", 17));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        w.flush();
        return display->toPlainText().endsWith("Ende");
    }, 5000));
    EXPECT_EQ(display->toPlainText(),
              QStringLiteral("Socket opened = %1\nHallo\nGrüße").arg(windows->session().socketNumber()) + QChar(0x2400)
                  + "Ende");

    // The client goes away mid-line: the window waits for the next one.
    client.write("halbe Zei");
    client.flush();
    client.disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !windows->session().clientConnected(); }, 5000));
    w.flush();
    EXPECT_TRUE(display->toPlainText().endsWith("Endehalbe Zei"));
    EXPECT_EQ(label->text(), QStringLiteral("Wartet auf Verbindung an Port %1").arg(port));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(TelnetWindowTest, TypedKeysGoToTheClientAndEnterSendsCrLf)
{
    TelnetWindow& w = open();
    QTcpSocket client;
    listenAndConnect(w, client);
    auto* display = the<QPlainTextEdit>(w, "frm23_edAnzeige");
    display->moveCursor(QTextCursor::End);
    QTest::keyClicks(display, "ab");
    QTest::keyClick(display, Qt::Key_Return);
    QTest::sendKeyEvent(QTest::Click, display, Qt::Key_Adiaeresis, QString::fromUtf8("ä"), Qt::NoModifier);
    QByteArray got;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        got += client.readAll();
        return got.size() >= 5;
    }, 5000));
    EXPECT_EQ(got, QByteArray("ab\r\n\xe4"));
    // The typed keys appear in the display, Enter as the line break.
    EXPECT_TRUE(display->toPlainText().endsWith(QString::fromUtf8("ab\nä"))) << display->toPlainText().toStdString();
}

TEST_F(TelnetWindowTest, FloodKeepsTheDisplayBounded)
{
    TelnetWindow& w = open();
    QTcpSocket client;
    listenAndConnect(w, client);
    auto* display = the<QPlainTextEdit>(w, "frm23_edAnzeige");
    // 10 MB: lines of 99 characters, every byte value in them, and one endless line at the end.
    QByteArray block;
    for (int i = 0; i < 10000; ++i)
        block += QByteArray(99, char(i % 256)).replace('\n', 'n').replace('\r', 'r') + '\n';
    const qint64 total = 10 * 1024 * 1024;
    qint64 sent = 0;
    while (sent + block.size() < total - 200000) {
        client.write(block);
        sent += block.size();
    }
    client.write(QByteArray(total - sent - 5, 'z') + "ENDE!");
    qint64 shownOnce = 0;
    QObject::connect(&windows->session(), &TelnetSession::received, [&](const QByteArray& b) { shownOnce += b.size(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownOnce >= total; }, 120000)) << shownOnce;
    w.flush();
    EXPECT_LE(display->blockCount(), TelnetWindow::kMaxLines);
    EXPECT_LE(display->document()->characterCount(), TelnetWindow::kMaxLines * (TelnetText::kLineLimit + 1));
    EXPECT_TRUE(display->toPlainText().endsWith("zzzENDE!"));
    // Still answering: a key goes out at once.
    QTest::keyClick(display, Qt::Key_X);
    QByteArray got;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        got += client.readAll();
        return !got.isEmpty();
    }, 5000));
    EXPECT_EQ(got, "x");
}

TEST_F(TelnetWindowTest, DisconnectAsksAndClosingKeepsTheSession)
{
    TelnetWindow& w = open();
    QTcpSocket client;
    listenAndConnect(w, client);
    auto* connectButton = the<QPushButton>(w, "frm23_cmdConnect");

    // Closing the window leaves the client connected; it keeps its place.
    w.move(200, 150);
    QTest::mouseClick(the<QPushButton>(w, "frm23_cmdSchliessen"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(state->settings.telnetX, 200);
    EXPECT_EQ(state->settings.telnetY, 150);
    client.write("weiter");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        w.flush();
        return w.display()->toPlainText().endsWith("weiter");
    }, 5000));
    EXPECT_EQ(&open(), &w);

    prompter.addAnswer("No");
    QTest::mouseClick(connectButton, Qt::LeftButton);
    EXPECT_TRUE(windows->session().clientConnected());
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie die aktive Telnet-Session beenden?");
    prompter.addAnswer("Yes");
    QTest::mouseClick(connectButton, Qt::LeftButton);
    EXPECT_FALSE(windows->session().active());
    EXPECT_EQ(connectButton->text(), "Connect");
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.state() == QAbstractSocket::UnconnectedState; }, 5000));
}

TEST_F(TelnetWindowTest, BindFailureIsShownAndPrintingTakesTheSession)
{
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::AnyIPv4, port));
    TelnetWindow& w = open();
    prompter.addAnswer("localhost");
    QTest::mouseClick(the<QPushButton>(w, "frm23_cmdConnect"), Qt::LeftButton);
    EXPECT_EQ(the<QPushButton>(w, "frm23_cmdConnect")->text(), "Connect");
    ASSERT_FALSE(prompter.records().isEmpty());
    EXPECT_TRUE(prompter.records().last().caption.startsWith("Fehler - Socketbindung ("));
    EXPECT_TRUE(prompter.records().last().text.startsWith(
        "Socket konnte nicht gebunden werden. Telnet Session nicht möglich."));

    const QString pdf = programDir.filePath("telnet.pdf");
    QtPrinter printer(pdf);
    main->displayActions().setPrinter(&printer);
    w.display()->setPlainText("Zeile eins\nZeile zwei");
    QTest::mouseClick(the<QPushButton>(w, "frm23_cmdDrucken"), Qt::LeftButton);
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Telnet-Anzeige")) << text.toStdString();
    EXPECT_LT(text.indexOf("Zeile eins"), text.indexOf("Zeile zwei"));
    EXPECT_GE(text.indexOf("Zeile eins"), 0);
}
