#include "terminal/serial/repeated_send.h"
#include "terminal/serial/ui/send_characters_dialog.h"

#include "tests/terminal/terminal_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tarvex;

namespace {

class SendCharactersTest : public TerminalFixture
{
protected:
    void connect()
    {
        terminal();
        state->settings.com = 1;
        terminal().VerbindungSteuern(1);
        port.written.clear();
    }
};

TEST_F(SendCharactersTest, SendsCountTimesWithPausesBetween)
{
    connect();
    const int before = int(clock.waits().size());
    RepeatedSend job(*state, serial().line(), clock);
    QList<int> progress;
    EXPECT_EQ(job.run(7, 3, 1.5, [&](int sent, int) { progress << sent; }), 3);
    EXPECT_EQ(port.written, QByteArray("\x07\x07\x07"));
    EXPECT_EQ(clock.waits().mid(before), (QList<int>{1500, 1500}));
    EXPECT_EQ(progress, (QList<int>{1, 2, 3}));
    EXPECT_EQ(RepeatedSend::progressText(2, 3, "08.12.2026 10:00:00"), "2 von 3 Zeichen, 08.12.2026 10:00:00 gesendet.");
    EXPECT_FALSE(RepeatedSend::valid(256, 1, 0));
    EXPECT_FALSE(RepeatedSend::valid(65, 0, 0));
    EXPECT_FALSE(RepeatedSend::valid(65, 1, -1));
}

TEST_F(SendCharactersTest, StopsWhenTheConnectionCloses)
{
    connect();
    RepeatedSend job(*state, serial().line(), clock);
    EXPECT_EQ(job.run(65, 5, 0, [&](int sent, int) {
        if (sent == 2)
            state->connectionActive = false;
    }), 2);
}

TEST_F(SendCharactersTest, DialogSendsRemembersTheChoiceAndRejectsBadEntries)
{
    connect();
    SendCharactersDialog dialog(terminal().context(), serial());
    auto* character = dialog.findChild<QComboBox*>("frm25_cbZeichen");
    ASSERT_NE(character, nullptr);
    EXPECT_EQ(character->itemText(13), "013 CR  (Carriage Return)");
    EXPECT_EQ(character->itemText(65), "065 A");
    character->setCurrentIndex(6);
    dialog.findChild<QLineEdit*>("frm25_edAnzahl")->setText("4");
    QTest::mouseClick(dialog.findChild<QPushButton*>("frm25_cmdSenden"), Qt::LeftButton);
    EXPECT_EQ(port.written, QByteArray(4, '\x06'));
    EXPECT_TRUE(dialog.findChild<QLabel*>("frm25_lblStatus")->text().startsWith("4 von 4 Zeichen, "));
    EXPECT_EQ(state->settings.einZeichen, "006 ACK (Acknowledge)");

    dialog.findChild<QLineEdit*>("frm25_edAnzahl")->setText("0");
    QTest::mouseClick(dialog.findChild<QPushButton*>("frm25_cmdSenden"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Vorgaben sind nicht ok!\r\rBitte korrigieren Sie Ihre Angaben.");
    dialog.accept();
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("EinZeichen=006 ACK (Acknowledge)\r\n"));
}

} // namespace
