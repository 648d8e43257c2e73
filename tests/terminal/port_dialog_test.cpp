#include "terminal/serial/ui/port_dialog.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tarvex;

namespace {

class PortDialogTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        terminal();
        KundeSettings& s = state->settings;
        s.com = 1;
        s.baudrate = 9600;
        s.parameter = "n,8,1";
        s.endzeichen = 13;
        terminal().VerbindungSteuern(1);
        dialog = std::make_unique<PortDialog>(terminal().context(), serial());
    }
    void choose()
    {
        findNamed<QComboBox>(*dialog, "frm2_cbCOM")->setCurrentText("COM3");
        findNamed<QComboBox>(*dialog, "frm2_cbGeraet")->setEditText("/dev/ttyUSB0");
        findNamed<QComboBox>(*dialog, "frm2_cbBaud")->setCurrentText("38400");
        findNamed<QComboBox>(*dialog, "frm2_cbPara")->setCurrentText("e,7,2");
        findNamed<QComboBox>(*dialog, "frm2_cbEndzeichen")->setCurrentIndex(1);
        findNamed<QComboBox>(*dialog, "frm2_cbProtokoll")->setCurrentIndex(2);
        findNamed<QCheckBox>(*dialog, "frm2_chkEmpfang")->setChecked(true);
        findNamed<QLineEdit>(*dialog, "frm2_edPause")->setText("25");
    }
    std::unique_ptr<PortDialog> dialog;
};

TEST_F(PortDialogTest, ShowsTheCurrentValues)
{
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbCOM")->count(), 20);
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbCOM")->currentText(), "COM1");
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbBaud")->currentText(), "9600");
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbPara")->itemText(0), "n,8,1");
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbEndzeichen")->currentText(), "13 Return");
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbProtokoll")->itemText(2), "Software (Xon/Xoff)");
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm2_lblEndzeichen")->text(), "Endzeichen = 13");
#ifndef Q_OS_WIN
    EXPECT_EQ(findNamed<QComboBox>(*dialog, "frm2_cbGeraet")->currentText(), "/dev/ttyS0");
#endif
    // Pauses take digits only.
    QLineEdit* pause = findNamed<QLineEdit>(*dialog, "frm2_edPause");
    pause->clear();
    QTest::keyClicks(pause, "1a2-3");
    EXPECT_EQ(pause->text(), "123");
}

TEST_F(PortDialogTest, NoKeepsTheOldPortOpenButTakesTheValues)
{
    choose();
    prompter.addAnswer("No");
    QTest::mouseClick(findNamed<QPushButton>(*dialog, "frm2_cmdÜbernehmen"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Soll die Schnittstelle COM 3 mit den Parametern\r38400,e,7,2 geöffnet werden?");
    EXPECT_EQ(port.events.filter("open").size(), 1);
    EXPECT_EQ(port.settings.baudRate, 9600);
    const KundeSettings& s = state->settings;
    EXPECT_EQ(s.com, 3);
    EXPECT_EQ(s.baudrate, 38400);
    EXPECT_EQ(s.parameter, "e");
    EXPECT_EQ(s.bitrate, 7);
    EXPECT_EQ(s.stopbit, 2);
    EXPECT_EQ(s.endzeichen, 3);
    EXPECT_EQ(s.handshake, 2);
    EXPECT_TRUE(s.sofortEmpf);
    EXPECT_EQ(s.sendPause, 25);
    EXPECT_EQ(s.portDevices[2], "/dev/ttyUSB0");
    EXPECT_TRUE(s.portDevices[0].isEmpty()) << "the default device is not stored";
}

TEST_F(PortDialogTest, ChosenScriptGroupIsHandedOnForLoading)
{
    writeFile(folders.scriptsDir() + "nacht.ini", "[Script]\r\n");
    dialog = std::make_unique<PortDialog>(terminal().context(), serial());
    QStringList named;
    serial().onScriptGroupNamed([&](const QString& group) { named << group; });
    findNamed<QCheckBox>(*dialog, "frm2_chkScriptgruppe")->setChecked(true);
    findNamed<QComboBox>(*dialog, "frm2_cbScriptgruppe")->setCurrentText("nacht.ini");
    prompter.addAnswer("No");
    QTest::mouseClick(findNamed<QPushButton>(*dialog, "frm2_cmdÜbernehmen"), Qt::LeftButton);
    EXPECT_EQ(named, QStringList{folders.scriptsDir() + "nacht.ini"});
}

TEST_F(PortDialogTest, YesWritesTheSettingsAndReopens)
{
    choose();
    prompter.addAnswer("Yes");
    QTest::mouseClick(findNamed<QPushButton>(*dialog, "frm2_cmdÜbernehmen"), Qt::LeftButton);
    EXPECT_EQ(port.events.filter("open").size(), 2);
    EXPECT_EQ(port.settings.device, "/dev/ttyUSB0");
    EXPECT_EQ(port.settings.baudRate, 38400);
    EXPECT_TRUE(port.settings.xonXoff);
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("COM3=/dev/ttyUSB0\r\n"));
}

TEST_F(PortDialogTest, SaveWritesTheDialogsValuesWithoutTakingThemOver)
{
    choose();
    prompter.addAnswer("Ok");
    QTest::mouseClick(findNamed<QPushButton>(*dialog, "frm2_cmdSichern"), Qt::LeftButton);
    const QStringList sets = QDir(folders.dataDir()).entryList({"*.def"}, QDir::Files);
    ASSERT_EQ(sets.size(), 1);
    const QByteArray saved = readFile(folders.dataDir() + sets.first());
    EXPECT_TRUE(saved.startsWith("|3|38400|")) << saved.constData();
    EXPECT_EQ(state->settings.com, 1);
    EXPECT_EQ(state->settings.baudrate, 9600);
    EXPECT_EQ(port.events.filter("open").size(), 1);
}

} // namespace
