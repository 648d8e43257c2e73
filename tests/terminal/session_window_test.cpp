#include "terminal/display/ui/display_view.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/core/ui/session_display.h"
#include "terminal/display/ui/session_screen.h"
#include "terminal/receive/receive_module.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QWheelEvent>

using namespace tarvex;

namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class SessionWindowTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\n[Daten]\r\nEndzeichen=13\r\n"
                                     "[Verbindung]\r\nTasten=-1\r\nAnalyse=-1\r\nSessionZ=100\r\nSessionG=14\r\n");
        writeFile(config("Menustruktur00.dat"), "Kopf\r\n|1|&Verbindung|0|||\r\n|0|&Session|515|||\r\n");
        terminal().StartVorbereitung();
        m_window = std::make_unique<MainWindow>(terminal(), serial());
        m_window->BildAufbau();
        display = findNamed<DisplayView>(*m_window, "frm1_rtAnzeige");
        analyse = findNamed<QPlainTextEdit>(*m_window, "frm1_edAnalyse");
        filters = findNamed<QListWidget>(*m_window, "frm1_lbFilterZ");
        screen = findNamed<SessionScreen>(*m_window, "frm1_SessionScreen");
    }
    void TearDown() override { m_window.reset(); }

    MainWindow& window() { return *m_window; }
    void receive(const QByteArray& bytes)
    {
        port.incoming << bytes;
        receiveModule().pipeline().SeriellLesen();
    }
    bool shown(QWidget* w) { return w->isVisibleTo(m_window.get()); }

    DisplayView* display = nullptr;
    QPlainTextEdit* analyse = nullptr;
    QListWidget* filters = nullptr;
    SessionScreen* screen = nullptr;

private:
    std::unique_ptr<MainWindow> m_window;
};

} // namespace

TEST_F(SessionWindowTest, SwitchingOnNeedsTheConnection)
{
    prompter.clearRecords();
    window().menu().action(Fn::SessionAnzeige)->trigger();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().last().text, "Keine Verbindung aktiv!");
    EXPECT_FALSE(state->settings.session);
    EXPECT_FALSE(window().menu().action(Fn::SessionAnzeige)->isChecked());
    EXPECT_TRUE(shown(display));
    EXPECT_FALSE(shown(screen));
}

TEST_F(SessionWindowTest, TheScreenTakesTheDisplaysPlaceAndItsKeys)
{
    terminal().VerbindungSteuern(1);
    port.written.clear();
    window().menu().action(Fn::SessionAnzeige)->trigger();
    EXPECT_TRUE(state->settings.session);
    EXPECT_TRUE(window().menu().action(Fn::SessionAnzeige)->isChecked());
    EXPECT_TRUE(shown(screen));
    EXPECT_FALSE(shown(display));
    EXPECT_FALSE(shown(analyse));
    EXPECT_TRUE(filters->isHidden());
    // width and font size from the session options
    EXPECT_EQ(screen->screen().columns(), 100);
    EXPECT_EQ(screen->screen().rows(), 25);
    EXPECT_EQ(screen->font().pointSize(), 14);
    const QFontMetrics metrics(screen->font());
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('M')))
        << QFontInfo(screen->font()).family().toStdString();

    // A window shortcut on Ctrl+C must not take the key away from the device.
    auto* copyAction = new QAction(&window());
    copyAction->setShortcut(QKeySequence::Copy);
    bool copied = false;
    QObject::connect(copyAction, &QAction::triggered, [&] { copied = true; });
    window().addAction(copyAction);

    QTest::keyClick(screen, Qt::Key_Up);
    QTest::keyClicks(screen, "ls");
    QTest::keyClick(screen, Qt::Key_Return);
    QTest::keyClick(screen, Qt::Key_Tab);
    QTest::keyClick(screen, Qt::Key_F1);
    QTest::keyClick(screen, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(port.written, QByteArray("\x1b[Als\r\t\x1bOP\x03"));
    EXPECT_FALSE(copied);
    EXPECT_TRUE(screen->hasFocus() || !QApplication::focusWidget());

    // Received bytes land in the cells, not in the display; the cursor-key mode the device
    // sets changes what the arrows send; a cursor report goes back at once.
    port.written.clear();
    receive("\x1b[2J\x1b[1;1H\x1b[1;33;44mHallo\x1b[0m\r\nzweite Zeile\r\n\x1b[?1h");
    EXPECT_EQ(screen->screen().rowText(0).left(5), QStringLiteral("Hallo"));
    EXPECT_EQ(screen->screen().cell(0, 0).foreground, AnsiScreen::indexed(3));
    EXPECT_EQ(screen->screen().cell(0, 0).background, AnsiScreen::indexed(4));
    EXPECT_EQ(screen->screen().rowText(1).left(12), QStringLiteral("zweite Zeile"));
    EXPECT_TRUE(display->toPlainText().isEmpty());
    QTest::keyClick(screen, Qt::Key_Up);
    EXPECT_EQ(port.written, QByteArray("\x1bOA"));
    port.written.clear();
    receive("\x1b[6n");
    EXPECT_EQ(port.written, QByteArray("\x1b[3;1R"));
}

TEST_F(SessionWindowTest, SwitchingOffRestoresTheDisplayAndItsLines)
{
    terminal().VerbindungSteuern(1);
    window().menu().action(Fn::SessionAnzeige)->trigger();
    receive("auf dem Schirm\r");
    window().menu().action(Fn::SessionAnzeige)->trigger();
    EXPECT_FALSE(state->settings.session);
    EXPECT_FALSE(window().menu().action(Fn::SessionAnzeige)->isChecked());
    EXPECT_TRUE(shown(display));
    EXPECT_TRUE(shown(analyse));
    EXPECT_FALSE(filters->isHidden());
    EXPECT_FALSE(shown(screen));
    // the line pipeline has its bytes back; typed keys go the display's way again
    receive("in der Anzeige\r");
    window().flushDisplay();
    EXPECT_TRUE(display->toPlainText().contains(QStringLiteral("in der Anzeige")));
    EXPECT_FALSE(display->toPlainText().contains(QStringLiteral("auf dem Schirm")));
    port.written.clear();
    display->setFocus();
    QTest::keyClicks(display, "ab");
    QTest::keyClick(display, Qt::Key_Return);
    EXPECT_EQ(port.written, QByteArray("ab\r\n"));
}

TEST_F(SessionWindowTest, ClosingTheConnectionEndsTheScreenAndTheOptionBringsItBack)
{
    terminal().VerbindungSteuern(1);
    window().menu().action(Fn::SessionAnzeige)->trigger();
    ASSERT_TRUE(shown(screen));
    terminal().VerbindungSteuern(2);
    EXPECT_FALSE(shown(screen));
    EXPECT_TRUE(shown(display));
    // the option stays (the port dialog shows it); the next connection opens the screen
    EXPECT_TRUE(state->settings.session);
    terminal().VerbindungSteuern(1);
    EXPECT_TRUE(shown(screen));
    // switching the option off without a connection needs no connection
    terminal().VerbindungSteuern(2);
    prompter.clearRecords();
    window().menu().action(Fn::SessionAnzeige)->trigger();
    EXPECT_FALSE(state->settings.session);
    EXPECT_TRUE(prompter.records().isEmpty());
    // the option set elsewhere (port dialog) is followed when the settings change
    terminal().VerbindungSteuern(1);
    state->settings.session = true;
    window().settingsChanged();
    EXPECT_TRUE(shown(screen));
}

TEST_F(SessionWindowTest, ABurstIsPaintedOnceNotPerBlock)
{
    terminal().VerbindungSteuern(1);
    window().show();
    window().menu().action(Fn::SessionAnzeige)->trigger();
    QApplication::processEvents();
    PaintCounter counter;
    screen->installEventFilter(&counter);
    // one megabyte in blocks as the poll timer reads them, without the event loop between
    QByteArray block;
    for (int i = 0; block.size() < 4096; ++i)
        block += "\x1b[3" + QByteArray::number(i % 8) + "mZeile " + QByteArray::number(i) + "\r\n";
    for (int read = 0; read < (1 << 20); read += int(block.size())) {
        port.incoming << block;
        receiveModule().pipeline().SeriellLesen();
    }
    EXPECT_EQ(counter.paints, 0);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_TRUE(screen->screen().rowText(23).startsWith(QStringLiteral("Zeile ")));
}

TEST_F(SessionWindowTest, AFloodOfEnquiriesIsAnsweredInOneBoundedWrite)
{
    terminal().VerbindungSteuern(1);
    window().menu().action(Fn::SessionAnzeige)->trigger();
    port.writes.clear();
    port.written.clear();
    QByteArray flood;
    for (int i = 0; i < 5000; ++i)
        flood += "\x1b[5n\a";
    receive(flood);
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_TRUE(port.written.startsWith("\x1b[0n\x1b[0n"));
    EXPECT_LE(port.written.size(), 4096 + 4);
}

// The cells are painted in their colours and attributes, and the cursor where it is.
TEST(SessionScreenPaint, CellsShowTheirColours)
{
    SessionScreen screen;
    screen.screen().resize(20, 4);
    screen.resize(screen.sizeHint());
    screen.feed("\x1b[41m  \x1b[0m  \x1b[7m  \x1b[0m\x1b[48;2;10;20;30m  \x1b[0m\x1b[?25l");
    const QImage image = screen.grab().toImage();
    const QSize cell = screen.cellSize();
    const auto colourAt = [&](int column) {
        return image.pixelColor(column * cell.width() + cell.width() / 2, cell.height() / 2).rgb() & 0xffffff;
    };
    EXPECT_EQ(colourAt(0), 0xcd0000u); // red background
    EXPECT_EQ(colourAt(2), 0x000000u); // the default background
    EXPECT_EQ(colourAt(4), 0xe5e5e5u); // reverse: the default foreground as background
    EXPECT_EQ(colourAt(6), 0x0a141eu); // a direct colour
    // the cursor (shown again) frames its cell while the screen has no focus
    EXPECT_EQ(image.pixelColor(2 * cell.width(), cell.height() + cell.height() / 2).rgb() & 0xffffff, 0u);
    screen.feed("\x1b[?25h\x1b[2;3H");
    const QImage withCursor = screen.grab().toImage();
    EXPECT_EQ(withCursor.pixelColor(2 * cell.width(), cell.height() + cell.height() / 2).rgb() & 0xffffff,
              0xe5e5e5u);
}

// The wheel and Shift+Page Up move the view into the scroll-back; a key for the device
// brings it back to the live screen.
TEST(SessionScreenPaint, TheViewMovesIntoTheScrollBack)
{
    SessionScreen screen;
    screen.screen().resize(20, 4);
    screen.resize(screen.sizeHint());
    QByteArray sent;
    QObject::connect(&screen, &SessionScreen::keyBytes, [&](const QByteArray& b) { sent += b; });
    screen.feed("\x1b[41malt\x1b[0m\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n 6");
    ASSERT_EQ(screen.screen().scrollbackLines(), 3);
    const QSize cell = screen.cellSize();
    const auto topLeftColour = [&] {
        return screen.grab().toImage().pixelColor(cell.width() / 2, cell.height() / 2).rgb() & 0xffffff;
    };
    EXPECT_EQ(topLeftColour(), 0x000000u);
    QWheelEvent up(QPointF(5, 5), screen.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&screen, &up);
    EXPECT_EQ(screen.scrollBack(), 3); // three lines a step, no more than there are
    EXPECT_EQ(topLeftColour(), 0xcd0000u); // the oldest line, red, at the top
    // new lines keep the view where it is
    screen.feed("\r\n 7");
    EXPECT_EQ(screen.scrollBack(), 4);
    EXPECT_EQ(topLeftColour(), 0xcd0000u);
    QTest::keyClick(&screen, Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(screen.scrollBack(), 1);
    EXPECT_TRUE(sent.isEmpty());
    QTest::keyClick(&screen, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(screen.scrollBack(), 4);
    QTest::keyClick(&screen, Qt::Key_A);
    EXPECT_EQ(sent, QByteArray("a"));
    EXPECT_EQ(screen.scrollBack(), 0);
}
