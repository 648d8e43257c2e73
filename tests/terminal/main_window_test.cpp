#include "terminal/display/ui/display_view.h"
#include "terminal/display/ui/display_style.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/core/ui/lamp_images.h"
#include "terminal/script/ui/main_window_script_host.h"
#include "terminal/script/ui/script_bar.h"
#include "terminal/serial/ui/port_dialog.h"
#include "terminal/serial/ui/serial_windows.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

using namespace tarvex;

namespace {

class MainWindowTest : public TerminalFixture
{
protected:
    MainWindow& window()
    {
        if (!m_window) {
            terminal().StartVorbereitung();
            m_window = std::make_unique<MainWindow>(terminal(), serial());
        }
        return *m_window;
    }
    void TearDown() override { m_window.reset(); }


    void writeStandardFiles()
    {
        writeFile(data("kunde.ini"),
                  "[Seriell]\r\nCOM=2\r\nBaudrate=19200\r\nParameter=e,7,2\r\n[Daten]\r\nEndzeichen=3\r\n"
                  "[Anzeige]\r\nMaxZeilen=500\r\nSchrift=||4|Wahr|Falsch|Wahr|\r\n"
                  "[Verbindung]\r\nCapDatei=/tmp/x.txt\r\n[Script]\r\nSlider=250\r\n");
        writeFile(config("Menustruktur00.dat"), "Kopf\r\n|1|&Datei|0|||\r\n");
        writeFile(config("Scripts.ini"), "[Script]\r\nScript01=|A||0|0|0|0||0||\r\n");
    }

private:
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, StatusBarToolBarAndEndCharacters)
{
    writeStandardFiles();
    window().BildAufbau();
    EXPECT_TRUE(prompter.records().isEmpty()) << prompter.records().value(0).text.toStdString();
    EXPECT_EQ(window().windowTitle(), "Terminal Tarvex");

    const struct { int panel; const char* text; const char* tip; } panels[] = {
        {1, "     Informationen", ""},
        {2, "COM 2   19200,e,7,2   End = 3", "Parameter"},
        {3, "NUM", "NUM Anzeige"},
        {4, "Caps", "Shift Anzeige"},
        {5, "0", "Empfangene Zeilen (Anzeige max.500 Zeilen)"},
        {6, "0", nullptr},
        {7, "No Capture", "Capture-Datei: /tmp/x.txt"},
    };
    for (const auto& p : panels) {
        QLabel* l = findNamed<QLabel>(window(), QStringLiteral("frm1_sb1_%1").arg(p.panel).toUtf8().constData());
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->text(), QString::fromUtf8(p.text)) << p.panel;
        if (p.tip && *p.tip) {
            EXPECT_EQ(l->toolTip(), QString::fromUtf8(p.tip)) << p.panel;
        }
    }

    QToolBar* bar = findNamed<QToolBar>(window(), "frm1_tb1");
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 16);
    for (int sep : {4, 9, 12, 14})
        EXPECT_TRUE(actions[sep - 1]->isSeparator()) << sep;
    const struct { int index; const char* caption; const char* tip; } buttons[] = {
        {1, "Neu", "Parameter neu anlegen"}, {2, "Laden", "Parameter laden"}, {3, "Sichern", "Parameter sichern"},
        {5, "Drucken", "Anzeige ausdrucken"}, {6, "Kopieren", "Anzeige in ZW kopieren"},
        {7, "Löschen", "Anzeige löschen"}, {8, "Suchen", "Daten suchen"},
        {10, "Logbuch", "Logbuchverwaltung aufrufen"}, {11, "Zeitplaner", "Zeitliche Vorgängen verwalten"},
        {13, "Passwort", "Benutzer anmelden"}, {15, "Optionen", "Allgemeine Einstellungen"},
        {16, "Hilfe", "Online-Hilfe aufrufen"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(actions[b.index - 1]->text(), QString::fromUtf8(b.caption)) << b.index;
        EXPECT_EQ(actions[b.index - 1]->toolTip(), QString::fromUtf8(b.tip)) << b.index;
    }

    QComboBox* endChar = findNamed<QComboBox>(window(), "frm1_cbEndzeichen");
    QStringList items;
    for (int i = 0; i < endChar->count(); ++i)
        items << endChar->itemText(i);
    EXPECT_EQ(items, (QStringList{"00 Automatisch", "03 ETX Acom", "07 Beep", "09 Tabulator", "10 LineFeed",
                                  "13 Return", "59 Semikolon"}));
    EXPECT_EQ(endChar->currentText(), "03 ETX Acom");
    EXPECT_FALSE(findNamed<QWidget>(window(), "frm1_cmdACK")->isEnabled()) << "no connection yet";
    terminal().VerbindungSteuern(1);
    EXPECT_TRUE(findNamed<QWidget>(window(), "frm1_cmdACK")->isEnabled());

    // Choosing another end character rebuilds the connection text.
    endChar->setCurrentIndex(5);
    emit endChar->activated(5);
    EXPECT_EQ(state->settings.endzeichen, 13);
    EXPECT_EQ(findNamed<QLabel>(window(), "frm1_sb1_2")->text(), "COM 2   19200,e,7,2   End = 13");
    EXPECT_FALSE(findNamed<QWidget>(window(), "frm1_cmdACK")->isEnabled());

    EXPECT_EQ(findNamed<QSlider>(window(), "frm1_sliScripts")->toolTip(), "Breite Scriptauswahl einstellen (250)");
    for (const char* name : {"frm1_rtAnzeige", "frm1_cbScript", "frm1_imgKnopf", "frm1_imgAnruf", "frm1_lbFilterZ",
                             "frm1_cmdScriptA", "frm1_cmdScriptL", "frm1_cmdScriptV", "frm1_lblScriptStop",
                             "frm1_edAnalyse", "frm1_lblMenuText"})
        EXPECT_NE(window().findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    for (const char* name : {"frm1_tmrSeriell", "frm1_tmrQuittung", "frm1_tmrVerzögert", "frm1_tmrZeitplaner"})
        EXPECT_NE(state->findChild<QTimer*>(QString::fromUtf8(name)), nullptr) << name;
}

TEST_F(MainWindowTest, DisplayFontRules)
{
    writeStandardFiles();
    window().BildAufbau();
    const QFont f = findNamed<DisplayView>(window(), "frm1_rtAnzeige")->font();
    EXPECT_EQ(f.family(), "Courier New");
    EXPECT_EQ(f.pointSize(), 6);
    EXPECT_TRUE(f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_TRUE(f.underline());

    EXPECT_EQ(DisplayStyle::fontFromRecord("|Arial|12|Falsch|Wahr|Falsch|").pointSize(), 12);
    EXPECT_TRUE(DisplayStyle::fontFromRecord("|Arial|12|Falsch|Wahr|Falsch|").italic());
    EXPECT_EQ(DisplayStyle::fontFromRecord("").pointSize(), 6);
    EXPECT_EQ(DisplayStyle::colorFromSetting(255 + 128 * 256 + 64 * 65536), QColor(255, 128, 64));
}

TEST_F(MainWindowTest, MissingMenuFileIsReportedButMissingAlarmFileIsSilent)
{
    writeFile(config("Scripts.ini"), "[Script]\r\n");
    window().BildAufbau();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, QString::fromUtf8("Datei\r\r") + config("Menüstruktur00.dat") + "\r\rfehlt.");
    EXPECT_FALSE(state->tmrZeitplaner.isActive());
}

TEST_F(MainWindowTest, CaptureNoticeSwitchesCaptureOffAndPanelShowsIt)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Verbindung]\r\nCapture=-1\r\nCapDatei=/gibt/es/nicht/cap.txt\r\n");
    window().BildAufbau();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Capture Datei kann nicht angelegt werden,"));
    EXPECT_EQ(findNamed<QLabel>(window(), "frm1_sb1_7")->text(), "No Capture");
    EXPECT_EQ(findNamed<QLabel>(window(), "frm1_sb1_7")->toolTip(), "Capture-Datei: ");
}

TEST_F(MainWindowTest, SchedulerTimerRunsWithTasks)
{
    writeStandardFiles();
    writeFile(config("Zeitplaner.dat"), "|1|07:30|Täglich (1)|(0)|Capture (1)|Löschen (2)||0|0|0||\r\n");
    window().BildAufbau();
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
}

TEST_F(MainWindowTest, CloseAsksAndNoKeepsTheWindow)
{
    writeStandardFiles();
    window().BildAufbau();
    prompter.addAnswer("No");
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(state->endRequest);
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie Terminal Tarvex beenden?");
}

TEST_F(MainWindowTest, CloseWhileAScriptRunsAsksAboutTheScript)
{
    writeStandardFiles();
    window().BildAufbau();
    findNamed<QLabel>(window(), "frm1_lblScriptStop")->show();
    prompter.addAnswer("Yes");
    window().close();
    EXPECT_TRUE(state->scriptAbortRequest);
    EXPECT_FALSE(state->endRequest);
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie das laufende Script wirklich abbrechen!?");
}

TEST_F(MainWindowTest, ScriptBarStopLabelAndSliderReachTheWindow)
{
    writeStandardFiles();
    window().BildAufbau();
    terminal().VerbindungSteuern(1);
    window().scriptBar().showRecorder(true, false, {});
    window().setScriptRunning(true);
    EXPECT_TRUE(window().scriptBar().running());
    EXPECT_FALSE(findNamed<QWidget>(window(), "frm1_cmdScriptA")->isEnabled());
    EXPECT_FALSE(findNamed<QWidget>(window(), "frm1_cmdParameter")->isEnabled());
    EXPECT_TRUE(findNamed<QWidget>(window(), "frm1_cmdRecord")->isEnabled());
    // A click on the red label asks; "No" leaves the script running.
    prompter.addAnswer("No");
    QTest::mouseClick(findNamed<QLabel>(window(), "frm1_lblScriptStop"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie das laufende Script wirklich abbrechen!?");
    EXPECT_FALSE(state->scriptAbortRequest);
    window().setScriptRunning(false);
    EXPECT_FALSE(window().scriptBar().running());
    EXPECT_TRUE(findNamed<QWidget>(window(), "frm1_cmdScriptA")->isEnabled());

    // Moving the slider widens the bar and remembers the width; setting it does not.
    QSlider* slider = findNamed<QSlider>(window(), "frm1_sliScripts");
    slider->setValue(320);
    EXPECT_EQ(state->settings.slider, 320);
    EXPECT_EQ(window().scriptBar().width(), 320);
    EXPECT_EQ(slider->toolTip(), "Breite Scriptauswahl einstellen (320)");
    window().scriptBar().setBarWidth(200);
    EXPECT_EQ(state->settings.slider, 320);
    EXPECT_EQ(window().scriptBar().width(), 200);
}

TEST_F(MainWindowTest, ConnectionSwitchesTheControlsThatNeedIt)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\n[Daten]\r\nEndzeichen=3\r\n[Verbindung]\r\nSofortEmpf=-1\r\n"
                                 "DatenEcho=-1\r\nStatus=-1\r\n");
    window().BildAufbau();
    const char* const dependent[] = {"frm1_cmdAuswahl", "frm1_chkEmpfangen", "frm1_chkSofort", "frm1_cbScript",
                                     "frm1_cmdScriptA", "frm1_cbEndzeichen", "frm1_cmdACK"};
    const auto enabled = [&](const char* name) { return findNamed<QWidget>(window(), name)->isEnabled(); };
    // A first open that fails leaves them all unusable.
    port.failOpen = true;
    terminal().VerbindungSteuern(1);
    ASSERT_FALSE(state->connectionActive);
    for (const char* name : dependent)
        EXPECT_FALSE(enabled(name)) << name;
    prompter.clearRecords();

    port.failOpen = false;
    terminal().VerbindungSteuern(1);
    ASSERT_TRUE(state->connectionActive);
    for (const char* name : dependent)
        EXPECT_TRUE(enabled(name)) << name;
    // The end character list only while received text is shown at once.
    QTest::mouseClick(findNamed<QCheckBox>(window(), "frm1_chkEmpfangen"), Qt::LeftButton);
    EXPECT_FALSE(state->settings.sofortEmpf);
    EXPECT_FALSE(enabled("frm1_cbEndzeichen"));

    const QPixmap darkBlue = LampImages().image(LampImage::BlauDunkel);
    terminal().VerbindungSteuern(2);
    for (const char* name : dependent)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("frm1_cmdScriptL"));
    for (const char* lamp : {"frm1_imgDSR", "frm1_imgRTS", "frm1_imgEcho", "frm1_imgRX", "frm1_imgTX"})
        EXPECT_EQ(findNamed<QLabel>(window(), lamp)->pixmap().toImage(), darkBlue.toImage()) << lamp;
}

TEST_F(MainWindowTest, RunningScriptKeepsItsControlsWhenItReconnectsAndTheEndRespectsTheConnection)
{
    writeStandardFiles();
    window().BildAufbau();
    terminal().VerbindungSteuern(1);
    const auto enabled = [&](const char* name) { return findNamed<QWidget>(window(), name)->isEnabled(); };
    window().setScriptRunning(true);
    // The script closes and reopens the line.
    terminal().VerbindungSteuern(2);
    terminal().VerbindungSteuern(1);
    for (const char* name : {"frm1_cmdACK", "frm1_cmdAuswahl", "frm1_cmdScriptA"})
        EXPECT_FALSE(enabled(name)) << name;
    // It ends with the line closed: nothing that needs the line comes back.
    terminal().VerbindungSteuern(2);
    window().setScriptRunning(false);
    for (const char* name : {"frm1_cmdACK", "frm1_cmdAuswahl", "frm1_cmdScriptA"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("frm1_cmdParameter"));
}

TEST_F(MainWindowTest, SendReceiveBoxesShowTheSettingsAtStartAndAfterChanges)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\n[Verbindung]\r\nSofortEmpf=-1\r\nSofortSend=0\r\n"
                                 "DateiLast=/daten/letzte.txt\r\n[Daten]\r\nSendPause=40\r\n");
    window().BildAufbau();
    auto* empfangen = findNamed<QCheckBox>(window(), "frm1_chkEmpfangen");
    auto* sofort = findNamed<QCheckBox>(window(), "frm1_chkSofort");
    EXPECT_TRUE(empfangen->isChecked());
    EXPECT_FALSE(sofort->isChecked());
    EXPECT_EQ(sofort->toolTip(), "Verzögerung: 40 ms Sekunde(n)");
    EXPECT_EQ(findNamed<QWidget>(window(), "frm1_cmdAuswahl")->toolTip(), "/daten/letzte.txt");

    // A parameter set switches both the other way.
    QByteArray set = "|1|9600|n|8|1|13|\r\nSofort    =-1\r\n";
    for (int line = 3; line <= 13; ++line)
        set += "x=0\r\n";
    writeFile(data("set.def"), set);
    serial().loadParameterSet(data("set.def"));
    EXPECT_FALSE(empfangen->isChecked());
    EXPECT_TRUE(sofort->isChecked());
}

TEST_F(MainWindowTest, DetectedEtxUpdatesListStatusAndAckButton)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\nBaudrate=9600\r\nParameter=n,8,1\r\n[Daten]\r\nEndzeichen=0\r\n");
    window().BildAufbau();
    terminal().VerbindungSteuern(1);
    EXPECT_FALSE(findNamed<QWidget>(window(), "frm1_cmdACK")->isEnabled());
    port.incoming << QByteArray("\x02Satz\x03");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(state->settings.endzeichen, 3);
    EXPECT_EQ(findNamed<QComboBox>(window(), "frm1_cbEndzeichen")->currentText(), "03 ETX Acom");
    EXPECT_EQ(window().statusPanel(2)->text(), "COM 1   9600,n,8,1   End = 3");
    EXPECT_TRUE(findNamed<QWidget>(window(), "frm1_cmdACK")->isEnabled());
}

TEST_F(MainWindowTest, EchoAndHexLampsToggleWithMessages)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Verbindung]\r\nStatus=-1\r\n");
    window().BildAufbau();
    QTest::mouseClick(findNamed<QLabel>(window(), "frm1_lbl55"), Qt::LeftButton);
    EXPECT_TRUE(state->settings.datenEcho);
    QTest::mousePress(findNamed<QLabel>(window(), "frm1_imgEcho"), Qt::LeftButton);
    EXPECT_FALSE(state->settings.datenEcho);
    QTest::mouseClick(findNamed<QLabel>(window(), "frm1_lbl57"), Qt::LeftButton);
    EXPECT_TRUE(state->settings.hexWerte);
    QStringList texts;
    for (const auto& r : prompter.records())
        texts << r.text;
    EXPECT_EQ(texts, (QStringList{"Option 'Echo aus' ist aktiviert.", "Option 'Echo aus' ist deaktiviert.",
                                  "Option 'HEX-Anzeige' ist aktiviert."}));
}

TEST_F(MainWindowTest, ToolbarButtonsFollowTheEnabledRulesOfTheFunctionTable)
{
    writeStandardFiles();
    bool connected = false;
    terminal().functions().setEnabledRule(Fn::AnzeigeDrucken, [&] { return connected; });
    window().BildAufbau();
    QAction* print = findNamed<QAction>(window(), "frm1_tb1_Button5");
    QAction* copy = findNamed<QAction>(window(), "frm1_tb1_Button6");
    EXPECT_FALSE(print->isEnabled());
    EXPECT_TRUE(copy->isEnabled());
    connected = true;
    terminal().functions().refreshStates();
    EXPECT_TRUE(print->isEnabled());
}

TEST_F(MainWindowTest, NewButtonOpensThePortDialogOfTheSerialWindows)
{
    writeStandardFiles();
    window().BildAufbau();
    SerialWindows windows(terminal().context(), serial(), &window());
    // Close the dialog as soon as it shows; it must have come up modal on the main window.
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->objectName();
            EXPECT_EQ(dialog->parentWidget(), &window());
            dialog->reject();
        }
    });
    findNamed<QAction>(window(), "frm1_tb1_Button1")->trigger();
    EXPECT_EQ(shown, "frm2");
    EXPECT_THROW(SerialWindows(terminal().context(), serial(), &window()), std::logic_error);
}

TEST_F(MainWindowTest, DebugCheckBoxShowsToolbarNumbersAndRestoresTheTitle)
{
    writeStandardFiles();
    window().BildAufbau();
    QCheckBox* debug = findNamed<QCheckBox>(window(), "frm1_chkDebug");
    QTest::mouseClick(debug, Qt::LeftButton);
    EXPECT_TRUE(state->debugMode);
    int helpRuns = 0;
    terminal().context().functions.add(Fn::Hilfe, [&] { ++helpRuns; });
    terminal().context().functions.refreshStates();
    findNamed<QToolBar>(window(), "frm1_tb1")->actions()[15]->trigger();
    EXPECT_EQ(window().windowTitle(), "ButtonClick: 16");
    EXPECT_EQ(helpRuns, 1);
    QTest::mouseClick(debug, Qt::LeftButton);
    EXPECT_FALSE(state->debugMode);
    EXPECT_EQ(window().windowTitle(), "Terminal Tarvex");
}

TEST_F(MainWindowTest, SendingFileWithoutConnectionSaysSo)
{
    writeStandardFiles();
    window().BildAufbau();
    EXPECT_FALSE(findNamed<QWidget>(window(), "frm1_cmdAuswahl")->isEnabled());
    terminal().functions().PrgFunktionen(210);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Keine Verbindung aktiv!");
}

TEST_F(MainWindowTest, MonitorButtonWritesTheDisplayAndOpensTheEditor)
{
    writeStandardFiles();
    shell.available.insert(folders.programDir() + "quillet");
    window().BildAufbau();
    findNamed<DisplayView>(window(), "frm1_rtAnzeige")->appendText(QString::fromUtf8("Zeile 1\nGebühr 3,50 €"));
    QTest::mouseClick(findNamed<QWidget>(window(), "frm1_cmdMonitor"), Qt::LeftButton);
    EXPECT_EQ(readFile(folders.anzeigeDir() + "editor.txt"), QByteArray("Zeile 1\r\nGeb\xfchr 3,50 \x80\r\n"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].arguments, QStringList{folders.anzeigeDir() + "editor.txt"});
}

TEST_F(MainWindowTest, ScriptBarListsTheUsedSlots)
{
    writeStandardFiles();
    writeFile(config("Scripts.ini"), "[Script]\r\nScript01=|Erster||0|0|0|0||0||\r\nScript02=\r\n"
                                     "Script03=|  Dritter ||0|0|0|0||0||\r\n");
    window().BildAufbau();
    QListWidget* list = findNamed<QListWidget>(window(), "frm1_cbScript");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "01 Erster");
    EXPECT_EQ(list->item(1)->text(), "03   Dritter ");
}

TEST_F(MainWindowTest, MenuEventsGoToTheProgramFunctions)
{
    writeStandardFiles();
    window().BildAufbau();
    state->debugMode = true;
    window().frm1_MenuEvent(0);
    EXPECT_EQ(window().windowTitle(), QString::fromUtf8("MenüEvent: 0"));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Hilfe-ID?");
    window().frm1_MenuEvent(116);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, folders.dataDir());
    window().frm1_MenuOver(116, "Kundenverzeichnis öffnen");
    EXPECT_EQ(findNamed<QLabel>(window(), "frm1_lblMenuText")->text(), QString::fromUtf8("Kundenverzeichnis öffnen"));
    EXPECT_EQ(window().windowTitle(), "MenuOver: 116");
}

TEST_F(MainWindowTest, AnalysisLineShowsTheSelectedCharacter)
{
    writeStandardFiles();
    window().BildAufbau();
    QPlainTextEdit* line = findNamed<QPlainTextEdit>(window(), "frm1_edAnalyse");
    EXPECT_FALSE(line->isVisibleTo(&window()));
    terminal().PrgFunktionen(180);
    EXPECT_TRUE(state->settings.analyse);
    EXPECT_TRUE(line->isVisibleTo(&window()));
    EXPECT_EQ(line->toPlainText(), "Markieren Sie\nerst ein\nZeichen.");
    DisplayView* display = findNamed<DisplayView>(window(), "frm1_rtAnzeige");
    display->appendText("xAy");
    display->selectInLine(0, 1, 2);
    EXPECT_EQ(line->toPlainText(), "Ascii: 065\nHEX  : 41\nText : A");
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("Analyse=-1\r\n"));
}

} // namespace

namespace {

class DisplayKeysTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeStandardFiles();
        writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\n[Verbindung]\r\nTasten=-1\r\n");
        window().BildAufbau();
        terminal().VerbindungSteuern(1);
        port.written.clear();
        display = findNamed<DisplayView>(window(), "frm1_rtAnzeige");
        display->setFocus();
    }
    DisplayView* display = nullptr;
};

TEST_F(DisplayKeysTest, CtrlLetterSendsThePendingLineThenTheControlCode)
{
    // A window shortcut on Ctrl+C (a menu's copy entry) must not take the key away.
    auto* copyAction = new QAction(&window());
    copyAction->setShortcut(QKeySequence::Copy);
    bool copied = false;
    QObject::connect(copyAction, &QAction::triggered, [&] { copied = true; });
    window().addAction(copyAction);

    QTest::keyClicks(display, "ab");
    QTest::keyClick(display, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(port.written, QByteArray("ab\r\n\x03"));
    EXPECT_FALSE(copied);
}

TEST_F(DisplayKeysTest, EscapeTabAndDeleteAreSentLikeCharacters)
{
    state->settings.sofortSend = true;
    QTest::keyClick(display, Qt::Key_Escape);
    QTest::keyClick(display, Qt::Key_Tab);
    QTest::keyClick(display, Qt::Key_Delete);
    QTest::keyClick(display, Qt::Key_X);
    EXPECT_EQ(port.written, QByteArray("\x1b\t\x7fx"));
    // In line mode they wait in the typed line, which the status bar shows readably.
    state->settings.sofortSend = false;
    port.written.clear();
    QTest::keyClick(display, Qt::Key_Escape);
    QTest::keyClick(display, Qt::Key_Tab);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(window().statusPanel(8)->text(), "<27><HT>");
    QTest::keyClick(display, Qt::Key_Return);
    EXPECT_EQ(port.written, QByteArray("\x1b\t\r\n"));
}

TEST_F(DisplayKeysTest, CopyKeysStayWithTheDisplayWhereTheyAreNotSent)
{
    window().appendDisplay(QStringLiteral("Zeile eins\r"));
    display->selectAll();
    QApplication::clipboard()->clear();
    // Ctrl+Insert always copies.
    QTest::keyClick(display, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), "Zeile eins\n");
    // With control keys not sent, Ctrl+C copies too.
    state->settings.tasten = false;
    QApplication::clipboard()->clear();
    QTest::keyClick(display, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), "Zeile eins\n");
}

TEST_F(MainWindowTest, PortDialogAnsweredNoLeavesTheConnectionText)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\nBaudrate=9600\r\nParameter=n,8,1\r\n[Daten]\r\nEndzeichen=13\r\n");
    window().BildAufbau();
    terminal().VerbindungSteuern(1);
    const QString before = window().statusPanel(2)->text();
    EXPECT_EQ(before, "COM 1   9600,n,8,1   End = 13");
    PortDialog dialog(terminal().context(), serial(), &window());
    findNamed<QComboBox>(dialog, "frm2_cbBaud")->setCurrentText("38400");
    findNamed<QCheckBox>(dialog, "frm2_chkSofort")->setChecked(true);
    prompter.addAnswer("No");
    QTest::mouseClick(findNamed<QPushButton>(dialog, "frm2_cmdÜbernehmen"), Qt::LeftButton);
    EXPECT_EQ(state->settings.baudrate, 38400);
    EXPECT_EQ(window().statusPanel(2)->text(), before);
    EXPECT_TRUE(findNamed<QCheckBox>(window(), "frm1_chkSofort")->isChecked()) << "the boxes take the new values";

    PortDialog again(terminal().context(), serial(), &window());
    prompter.addAnswer("Yes");
    QTest::mouseClick(findNamed<QPushButton>(again, "frm2_cmdÜbernehmen"), Qt::LeftButton);
    EXPECT_EQ(window().statusPanel(2)->text(), "COM 1   38400,n,8,1   End = 13");
}

TEST_F(MainWindowTest, ScriptAbortQuestionDefaultsToNo)
{
    writeStandardFiles();
    window().BildAufbau();
    window().setScriptRunning(true);
    // No scripted answer: the box gets its default button, as Enter would.
    QTest::mouseClick(findNamed<QLabel>(window(), "frm1_lblScriptStop"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().last().answer, "<default>:No");
    EXPECT_FALSE(state->scriptAbortRequest);
}

} // namespace

namespace {

TEST_F(MainWindowTest, BurstLongerThanTheDisplayKeepsWhatLineByLineWouldKeep)
{
    writeStandardFiles();
    writeFile(data("kunde.ini"), "[Anzeige]\r\nMaxZeilen=3\r\n");
    window().BildAufbau();
    DisplayView* display = findNamed<DisplayView>(window(), "frm1_rtAnzeige");
    // The same text fed to a display of the same size in single steps.
    QPlainTextEdit reference;
    reference.document()->setMaximumBlockCount(3);
    const auto feedReference = [&](const QString& text) {
        QTextCursor c(reference.document());
        c.movePosition(QTextCursor::End);
        c.insertText(QString(text).replace("\r\n", "\n").replace('\r', '\n'));
    };
    const QStringList bursts{QStringLiteral("alt"), QStringLiteral("eins\r\nzwei\rdrei\nvier\r\nfü"),
                             QStringLiteral("nf\r"), QStringLiteral("a\rb\r"), QStringLiteral("x\r\n\r\ny")};
    for (const QString& burst : bursts) {
        window().displayBurst(true);
        window().appendDisplay(burst);
        window().displayBurst(false);
        feedReference(burst);
        // Passes close together are laid out together, within a fraction of a second.
        EXPECT_TRUE(QTest::qWaitFor([&] { return display->toPlainText() == reference.toPlainText(); }, 5000))
            << burst.toStdString() << " shown: " << display->toPlainText().toStdString();
        EXPECT_EQ(display->lines().count(), reference.document()->blockCount());
    }
    EXPECT_EQ(DisplayLines::startOfLastLines(u"a\r\nb\rc", 2), 3);
    EXPECT_EQ(DisplayLines::startOfLastLines(u"a\rb", 5), 0);
}

} // namespace

namespace {

// The display as the operator uses it: the real widget, driven by mouse and key events.
class DisplayViewTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeStandardFiles();
        window().BildAufbau();
        display = findNamed<DisplayView>(window(), "frm1_rtAnzeige");
        display->setFocus();
    }
    int lineHeight() const { return QFontMetrics(display->font()).lineSpacing(); }
    // The middle of a shown line, `x` from the viewport's left edge.
    QPoint onLine(int index, int x) const
    {
        return {x, kMargin + (index - display->firstVisibleLine()) * lineHeight() + lineHeight() / 2};
    }
    int rightEdge() const { return display->viewport()->width() - 1; }
    // The painted band of a shown row.
    QImage row(const QImage& image, int index) const
    {
        return image.copy(0, kMargin + (index - display->firstVisibleLine()) * lineHeight(), image.width(), lineHeight());
    }
    static bool hasPixel(const QImage& image, const std::function<bool(QColor)>& test)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (test(image.pixelColor(x, y)))
                    return true;
        return false;
    }
    static bool hasInk(const QImage& image)
    {
        return hasPixel(image, [](QColor c) { return c.lightness() < 128; });
    }

    // The space between the viewport's edge and the first line.
    static constexpr int kMargin = 4;
    DisplayView* display = nullptr;
};

TEST_F(DisplayViewTest, DraggingSelectsAndTheCopyKeyPutsTheSelectionOnTheClipboard)
{
    window().appendDisplay(QStringLiteral("Erste Zeile\rZweite Zeile\rDritte\r"));
    QTest::mousePress(display->viewport(), Qt::LeftButton, {}, onLine(0, 1));
    QTest::mouseMove(display->viewport(), onLine(1, rightEdge()));
    QTest::mouseRelease(display->viewport(), Qt::LeftButton, {}, onLine(1, rightEdge()));
    EXPECT_EQ(display->selectedText(), QStringLiteral("Erste Zeile\nZweite Zeile"));
    QApplication::clipboard()->clear();
    QTest::keyClick(display, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Erste Zeile\nZweite Zeile"));

    // A plain click ends the selection and places the cursor, where a script's
    // "clear to the end" begins.
    QTest::mouseClick(display->viewport(), Qt::LeftButton, {}, onLine(1, rightEdge()));
    EXPECT_FALSE(display->hasSelection());
    MainWindowScriptHost host(terminal().context(), window());
    host.clearDisplay(false);
    EXPECT_EQ(display->toPlainText(), QStringLiteral("Erste Zeile\nZweite Zeile"));
    // Text arriving afterwards goes at the end, and so does the cursor.
    window().appendDisplay(QStringLiteral("!\r"));
    EXPECT_EQ(host.displayText(), QStringLiteral("Erste Zeile\nZweite Zeile!\n"));
    EXPECT_EQ(display->cursor(), display->lines().end());
}

TEST_F(DisplayViewTest, DoubleClickSelectsAWordShiftClickExtendsAndTheAnalysisShowsItsFirstCharacter)
{
    terminal().PrgFunktionen(180);
    auto* analysis = findNamed<QPlainTextEdit>(window(), "frm1_edAnalyse");
    window().appendDisplay(QStringLiteral("Wert=42 Ende\r"));
    const int inWord = kMargin + QFontMetrics(display->font()).horizontalAdvance(QStringLiteral("Wert=4"));
    QTest::mouseDClick(display->viewport(), Qt::LeftButton, {}, onLine(0, inWord));
    EXPECT_EQ(display->selectedText(), QStringLiteral("42"));
    EXPECT_EQ(analysis->toPlainText(), "Ascii: 052\nHEX  : 34\nText : 4");
    QTest::mouseClick(display->viewport(), Qt::LeftButton, Qt::ShiftModifier, onLine(0, rightEdge()));
    EXPECT_EQ(display->selectedText(), QStringLiteral("42 Ende"));
    // Select all, with the keys of the display.
    QTest::keyClick(display, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(display->selectedText(), QStringLiteral("Wert=42 Ende\n"));
    EXPECT_EQ(analysis->toPlainText(), "Ascii: 087\nHEX  : 57\nText : W");
}

TEST_F(DisplayViewTest, TheNewestLineIsPaintedAtTheBottomAndASelectionIsHighlighted)
{
    for (int i = 0; i < 200; ++i)
        window().appendDisplay(QStringLiteral("Zeile %1 ####\r").arg(i));
    const QScrollBar* vertical = display->verticalScrollBar();
    ASSERT_GT(vertical->pageStep(), 2);
    EXPECT_EQ(display->firstVisibleLine(), display->lines().count() - vertical->pageStep());
    const int last = display->lines().count() - 1; // the open line, empty
    QImage shown = display->viewport()->grab().toImage();
    EXPECT_TRUE(hasInk(row(shown, last - 1)));
    EXPECT_FALSE(hasInk(row(shown, last)));

    const QColor highlight = display->palette().color(QPalette::Highlight);
    EXPECT_FALSE(hasPixel(row(shown, last - 1), [&](QColor c) { return c == highlight; }));
    display->selectInLine(last - 1, 0, 5);
    shown = display->viewport()->grab().toImage();
    EXPECT_TRUE(hasPixel(row(shown, last - 1), [&](QColor c) { return c == highlight; }));
    EXPECT_FALSE(hasPixel(row(shown, last - 2), [&](QColor c) { return c == highlight; }));
    // Scrolled to the top, the oldest kept line is painted there.
    QTest::keyClick(display, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(display->firstVisibleLine(), 0);
    EXPECT_TRUE(hasInk(row(display->viewport()->grab().toImage(), 0)));
}

} // namespace
