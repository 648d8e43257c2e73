#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/ui/continuous_send_dialog.h"
#include "terminal/script/ui/continuous_send_windows.h"
#include "terminal/script/ui/script_engine.h"

#include "tests/script/script_fixture.h"
#include "tests/support/find_named.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// frm24 opened through function 785 on the real main window and script engine, in
// virtual time; every wait of a running test runs `onWait`, which plays the operator.
class ContinuousSendDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        folders = temporaryProgramFolders(programDir);
        writeFile(folders.configDir() + "Scripts.ini", "[Script]\r\nScript01=|Eins|A<>B|1|0|0|0||0||\r\nScript02=\r\n"
                                                       "Script03=|Drei|C|0|0|0|0||0||\r\n");
        rig = std::make_unique<TerminalRig>(folders, prompter, clock, shell, port, &view);
        rig->terminal.StartVorbereitung();
        window = std::make_unique<MainWindow>(rig->terminal, rig->serial);
        window->BildAufbau();
        scripts = std::make_unique<ScriptEngine>(rig->terminal, rig->serial, *window);
        module = std::make_unique<ContinuousSendWindows>(rig->context(), rig->serial, *scripts, *window);
        rig->state.settings.com = 1;
        rig->terminal.VerbindungSteuern(1);
        port.writes.clear();
        port.written.clear();
        // The start's notice about the menu file this folder has not.
        prompter.clearRecords();
        clock.poll = [this] {
            if (onWait)
                onWait();
        };
        rig->terminal.PrgFunktionen(Fn::Dauertest);
        dialog = module->dialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->objectName(), "frm24");
        count = findNamed<QComboBox>(*dialog, "frm24_cbSchleife");
        pause = findNamed<QComboBox>(*dialog, "frm24_cbPause");
        start = findNamed<QPushButton>(*dialog, "frm24_cmdStart");
        end = findNamed<QPushButton>(*dialog, "frm24_cmdBeenden");
        text = findNamed<QLineEdit>(*dialog, "frm24_edTextbaustein");
    }
    void TearDown() override
    {
        module.reset();
        scripts.reset();
        window.reset();
    }

    QRadioButton* option(int n) const
    {
        return findNamed<QRadioButton>(*dialog, QStringLiteral("frm24_optAuswahl%1").arg(n).toUtf8().constData());
    }
    // Replaces the count as typed: Ctrl+A selects what is there, then the keys.
    void typeCount(const QString& keys)
    {
        count->lineEdit()->selectAll();
        QTest::keyClicks(count->lineEdit(), keys);
    }
    bool shown(const char* name) const { return findNamed<QWidget>(*dialog, name)->isVisibleTo(dialog); }

    QTemporaryDir programDir;
    AppFolders folders;
    ScriptedPrompter prompter;
    PollingClock clock;
    FakeShell shell;
    MemorySerialPort port;
    FakeView view;
    std::unique_ptr<TerminalRig> rig;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptEngine> scripts;
    std::unique_ptr<ContinuousSendWindows> module;
    ContinuousSendDialog* dialog = nullptr;
    QComboBox* count = nullptr;
    QComboBox* pause = nullptr;
    QPushButton* start = nullptr;
    QPushButton* end = nullptr;
    QLineEdit* text = nullptr;
    std::function<void()> onWait;
};

TEST_F(ContinuousSendDialogTest, OpensWithItsListsAndTheOptionsEnableTheirFields)
{
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(findNamed<QLineEdit>(*dialog, "frm24_edDatei")->text(), folders.programDir() + "Installationshinweis!.txt");
    auto* scriptList = findNamed<QComboBox>(*dialog, "frm24_cbScript");
    ASSERT_EQ(scriptList->count(), 2);
    EXPECT_EQ(scriptList->currentText(), "01 Eins");
    EXPECT_EQ(scriptList->itemText(1), "03 Drei");
    EXPECT_EQ(count->count(), 16);
    EXPECT_EQ(count->currentText(), "0");
    EXPECT_EQ(count->itemText(15), "10000");
    EXPECT_EQ(pause->count(), 9);
    EXPECT_EQ(pause->currentText(), "1");
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm24_lblZeit")->text(), "= 0,001 Sekunde(n)");
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm24_lbl15")->text(), "0");
    EXPECT_FALSE(shown("frm24_lblTest"));
    EXPECT_FALSE(shown("frm24_lblAbbruch"));
    EXPECT_FALSE(shown("frm24_lblAbbr_HG"));
    EXPECT_EQ(end->text(), "&Beenden");
    EXPECT_NE(dialog->findChild<QPushButton*>("frm24_cmdHilfe"), nullptr);

    auto fields = [this] {
        return QList<bool>{text->isEnabled(), findNamed<QLineEdit>(*dialog, "frm24_edDatei")->isEnabled(),
                           findNamed<QPushButton>(*dialog, "frm24_cmdAuswahl")->isEnabled(),
                           findNamed<QComboBox>(*dialog, "frm24_cbScript")->isEnabled()};
    };
    EXPECT_TRUE(option(1)->isChecked());
    EXPECT_EQ(fields(), QList<bool>({true, false, false, false}));
    QTest::mouseClick(option(2), Qt::LeftButton);
    EXPECT_EQ(fields(), QList<bool>({false, true, true, false}));
    QTest::mouseClick(option(3), Qt::LeftButton);
    EXPECT_EQ(fields(), QList<bool>({false, false, false, true}));
    // Opening again brings the same window back on the text block.
    rig->terminal.PrgFunktionen(Fn::Dauertest);
    EXPECT_EQ(module->dialog(), dialog);
}

TEST_F(ContinuousSendDialogTest, CountTakesOnlyDigitsAndThePauseFollowsIt)
{
    typeCount("2a5");
    EXPECT_EQ(count->currentText(), "25");
    EXPECT_TRUE(pause->isEnabled());
    typeCount("1");
    EXPECT_EQ(count->currentText(), "1");
    EXPECT_FALSE(pause->isEnabled());
    // Backspace and the characters "." and "/" are let through, letters and blanks not.
    QTest::keyClick(count->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(count->lineEdit(), "3 x./");
    EXPECT_EQ(count->currentText(), "3./");
    // A test without end has a pause between its repetitions too.
    typeCount("0");
    EXPECT_TRUE(pause->isEnabled());

    auto* seconds = findNamed<QLabel>(*dialog, "frm24_lblZeit");
    pause->setCurrentIndex(pause->findText("250"));
    EXPECT_EQ(seconds->text(), "= 0,25 Sekunde(n)");
    pause->lineEdit()->selectAll();
    QTest::keyClicks(pause->lineEdit(), "1500");
    EXPECT_EQ(seconds->text(), "= 1,5 Sekunde(n)");
    pause->lineEdit()->clear();
    EXPECT_EQ(seconds->text(), "=");
}

TEST_F(ContinuousSendDialogTest, EmptyDataIsRefusedWithAMessage)
{
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    const PromptRecord& r = prompter.records().at(0);
    EXPECT_EQ(r.caption, "Sicherheitshinweis");
    EXPECT_EQ(r.text, "Es sind keine Angaben zum Senden gemacht!\r\rBitte korrigieren Sie Ihr Angaben.");
    EXPECT_EQ(r.icon, boxIconName(BoxIcon::Exclamation));
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(start->isEnabled());
}

TEST_F(ContinuousSendDialogTest, RunningShowsCounterIndicatorAndAbbrechenStopsIt)
{
    QTest::keyClicks(text, "PING");
    typeCount("0");
    pause->setCurrentIndex(pause->findText("100"));
    auto* counter = findNamed<QLabel>(*dialog, "frm24_lbl15");
    auto* indicator = findNamed<QLabel>(*dialog, "frm24_lblTest");
    QStringList seen;
    bool blinked = false;
    onWait = [&] {
        if (port.writes.size() != 3 || !seen.isEmpty())
            return;
        seen << counter->text() << end->text() << (start->isEnabled() ? "start" : "no start")
             << (shown("frm24_lblAbbruch") && shown("frm24_lblAbbr_HG") ? "hint" : "no hint");
        // The indicator blinks on its timer while the test runs.
        EXPECT_TRUE(findNamed<QTimer>(*dialog, "frm24_tmrTest")->isActive());
        const bool before = indicator->isVisible();
        blinked = QTest::qWaitFor([&] { return indicator->isVisible() != before; }, 5000)
                  && QTest::qWaitFor([&] { return indicator->isVisible() == before; }, 5000);
        QTest::mouseClick(end, Qt::LeftButton);
    };
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(seen, QStringList({"3", "&Abbrechen", "no start", "hint"}));
    EXPECT_TRUE(blinked);
    EXPECT_EQ(port.writes.size(), 3);
    EXPECT_EQ(port.written, "PING\r\nPING\r\nPING\r\n");
    EXPECT_EQ(counter->text(), "0");
    EXPECT_EQ(end->text(), "&Beenden");
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_FALSE(findNamed<QTimer>(*dialog, "frm24_tmrTest")->isActive());
    EXPECT_FALSE(shown("frm24_lblAbbruch"));
    EXPECT_FALSE(shown("frm24_lblAbbr_HG"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(prompter.records().size(), 0);
    // Beenden closes the idle window.
    QTest::mouseClick(end, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ContinuousSendDialogTest, ClosingTheWindowEndsTheTest)
{
    QTest::keyClicks(text, "PING");
    onWait = [&] {
        if (port.writes.size() == 2)
            dialog->close();
    };
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(port.writes.size(), 2);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->running());
}

TEST_F(ContinuousSendDialogTest, ClosedConnectionEndsTheTestWithANotice)
{
    QTest::keyClicks(text, "PING");
    onWait = [&] {
        if (port.writes.size() == 2 && rig->state.connectionActive)
            rig->terminal.VerbindungSteuern(2);
    };
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(port.writes.size(), 2);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).text, "Keine Verbindung aktiv!");
    EXPECT_FALSE(rig->terminal.functions().isEnabled(Fn::Dauertest));
}

TEST_F(ContinuousSendDialogTest, ScriptRunsThroughTheScriptBarAndAsksEveryRepetition)
{
    QTest::mouseClick(option(3), Qt::LeftButton);
    auto* scriptList = findNamed<QComboBox>(*dialog, "frm24_cbScript");
    scriptList->setCurrentIndex(1);
    typeCount("2");
    prompter.addAnswers({"Yes", "Yes"});
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_TRUE(prompter.records().at(1).text.startsWith("Soll das Script >Drei< ausgeführt werden?"));
    EXPECT_EQ(port.written, "C\r\nC\r\n");
    EXPECT_EQ(window->findChild<QListWidget*>("frm1_cbScript")->currentItem()->text(), "03 Drei");
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ContinuousSendDialogTest, FileChooserTakesOnlyAnExistingFile)
{
    QTest::mouseClick(option(2), Qt::LeftButton);
    auto* file = findNamed<QLineEdit>(*dialog, "frm24_edDatei");
    const QString chosen = folders.dataDir() + "liste.dat";
    writeFile(chosen, "1\r\n2\r\n");
    prompter.addAnswers({chosen, folders.dataDir() + "fehlt.txt"});
    auto* choose = findNamed<QPushButton>(*dialog, "frm24_cmdAuswahl");
    QTest::mouseClick(choose, Qt::LeftButton);
    EXPECT_EQ(file->text(), chosen);
    QTest::mouseClick(choose, Qt::LeftButton);
    EXPECT_EQ(file->text(), chosen);
    ASSERT_EQ(prompter.fileRequests().size(), 2);
    const FileDialogRequest& r = prompter.fileRequests().at(0);
    EXPECT_EQ(r.title, "Bitte Textdatei auswählen:");
    EXPECT_EQ(r.filter, "Textdateien|*.txt|Datendateien|*.dat");
    EXPECT_EQ(r.fileName, "*.txt");

    typeCount("2");
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(port.written, "1\r\n2\r\n1\r\n2\r\n");
}

} // namespace
