#include "terminal/display/ui/display_view.h"
#include "shared/cp1252.h"
#include "terminal/automation/alarm_record.h"
#include "terminal/automation/ui/alarm_dialog.h"
#include "terminal/automation/ui/automation_windows.h"
#include "terminal/core/ui/main_window.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace tarvex;

namespace {

const QByteArray kFile = "|1|STOERUNG|3|1|0||0||0||0||0|0|0|0|\r\n"
                         "|0|Tuer offen|1|0|0||0||1|01 Status abfragen|0||0|0|1|0|\r\n";

// The alarm dialog as the operator reaches it: program function 765 on the main window.
class AlarmDialogTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        writeFile(config("Alarmierungen.dat"), kFile);
        terminal().StartVorbereitung();
        state->scripts.setSlot(1, "|Status abfragen|S|");
        terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
        main = std::make_unique<MainWindow>(terminal(), serial());
        windows = std::make_unique<AutomationWindows>(rig().context(), main->displayActions(), main.get());
    }
    void TearDown() override
    {
        windows.reset();
        main.reset();
    }
    // Opens the dialog through its function and runs `steps` on it while it is shown.
    void withDialog(const std::function<void(AlarmDialog&)>& steps)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<AlarmDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ran = true;
            steps(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        terminal().PrgFunktionen(765);
        EXPECT_TRUE(ran);
    }
    template <typename W>
    static W* control(AlarmDialog& d, const char* name)
    {
        return findNamed<W>(d, name);
    }

    std::unique_ptr<MainWindow> main;
    std::unique_ptr<AutomationWindows> windows;
};

TEST_F(AlarmDialogTest, ListsTheFileAndARowFillsTheControls)
{
    withDialog([&](AlarmDialog& d) {
        QTreeWidget* table = d.table();
        EXPECT_EQ(table->columnCount(), 17);
        EXPECT_EQ(table->headerItem()->text(16), QString::fromUtf8("Anzeige lösch."));
        ASSERT_EQ(table->topLevelItemCount(), 2);
        EXPECT_EQ(table->topLevelItem(1)->text(0), "0002");
        EXPECT_EQ(table->topLevelItem(1)->text(2), "Tuer offen");
        EXPECT_EQ(control<QGroupBox>(d, "frm18_frRahmen1")->title(), "Anzeige Alarme (2):");
        // The first row is shown; its sound is off, so the sound file cannot be edited.
        EXPECT_EQ(control<QLineEdit>(d, "frm18_edGrund")->text(), "STOERUNG");
        EXPECT_FALSE(control<QLineEdit>(d, "frm18_edAkustisch")->isEnabled());
        // Clicking the second row copies its values.
        const QRect r = table->visualItemRect(table->topLevelItem(1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_FALSE(control<QCheckBox>(d, "frm18_chkStatus")->isChecked());
        EXPECT_TRUE(control<QCheckBox>(d, "frm18_chkReturn")->isChecked());
        EXPECT_EQ(control<QComboBox>(d, "frm18_cbScript")->currentText(), "01 Status abfragen");
        EXPECT_TRUE(control<QComboBox>(d, "frm18_cbScript")->isEnabled());
        // A check box enables its companions.
        // On the box itself (a wide check box takes clicks only on its box and text).
        auto* inFile = control<QCheckBox>(d, "frm18_chkInDatei");
        QTest::mouseClick(inFile, Qt::LeftButton, {}, QPoint(6, inFile->height() / 2));
        ASSERT_TRUE(control<QCheckBox>(d, "frm18_chkInDatei")->isChecked());
        EXPECT_TRUE(control<QLineEdit>(d, "frm18_edInDatei")->isEnabled());
        EXPECT_TRUE(control<QCheckBox>(d, "frm18_chkZeitDatei")->isEnabled());
    });
    EXPECT_EQ(readFile(config("Alarmierungen.dat")), kFile) << "cancelled: the file is untouched";
}

TEST_F(AlarmDialogTest, EnteringDeletingAndOkWriteTheFileAndRestartTheCounters)
{
    state->alarms.set(0, AlarmEntry::withCounter(state->alarms.entries()[0], 2));
    withDialog([&](AlarmDialog& d) {
        QLineEdit* text = control<QLineEdit>(d, "frm18_edGrund");
        QPushButton* enter = control<QPushButton>(d, "frm18_cmdEintragen");
        text->clear();
        EXPECT_FALSE(enter->isEnabled());
        // A "|" would break the record: refused with a message, nothing added.
        QTest::keyClicks(text, "A|B");
        QTest::mouseClick(enter, Qt::LeftButton);
        ASSERT_EQ(prompter.records().size(), 1);
        EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
        EXPECT_EQ(d.table()->topLevelItemCount(), 2);

        text->clear();
        QTest::keyClicks(text, QString::fromUtf8("Netzausfall"));
        QLineEdit* threshold = control<QLineEdit>(d, "frm18_edWieOft");
        threshold->setText("0");
        QTest::mouseClick(enter, Qt::LeftButton);
        ASSERT_EQ(d.table()->topLevelItemCount(), 3);
        EXPECT_EQ(d.table()->topLevelItem(2)->text(0), "0003");
        EXPECT_EQ(d.table()->topLevelItem(2)->text(3), "1") << "a threshold below 1 becomes 1";
        EXPECT_EQ(control<QGroupBox>(d, "frm18_frRahmen1")->title(), "Anzeige Alarm (3):");

        // Deleting asks (No is the default); No keeps the selected row, Yes removes it.
        d.table()->setCurrentItem(d.table()->topLevelItem(1));
        prompter.addAnswer("No");
        QTest::mouseClick(control<QPushButton>(d, "frm18_cmdLöschen"), Qt::LeftButton);
        EXPECT_EQ(d.table()->topLevelItemCount(), 3);
        prompter.addAnswer("Yes");
        QTest::mouseClick(control<QPushButton>(d, "frm18_cmdLöschen"), Qt::LeftButton);
        EXPECT_EQ(d.table()->topLevelItemCount(), 2);
        EXPECT_EQ(control<QGroupBox>(d, "frm18_frRahmen1")->title(), "Anzeige Alarme (2):");
        QTest::mouseClick(control<QPushButton>(d, "frm18_cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(readFile(config("Alarmierungen.dat")),
              QByteArray("|1|STOERUNG|3|1|0||0||0||0||0|0|0|0|\r\n"
                         "|1|Netzausfall|1|1|0||0||0||0||0|0|0|0|\r\n"));
    ASSERT_EQ(state->alarms.size(), 2);
    EXPECT_EQ(AlarmEntry::counter(state->alarms.entries()[0]), 0) << "OK starts every counter again";
    EXPECT_EQ(state->alarms.watched()[1].text, "Netzausfall");
}

TEST_F(AlarmDialogTest, DeletingAllAndAMissingFile)
{
    QFile::remove(config("Alarmierungen.dat"));
    withDialog([&](AlarmDialog& d) {
        EXPECT_EQ(d.table()->topLevelItemCount(), 0);
        EXPECT_EQ(control<QGroupBox>(d, "frm18_frRahmen1")->title(), "Anzeige Alarme (0):");
        EXPECT_FALSE(control<QPushButton>(d, "frm18_cmdAlleLöschen")->isEnabled());
    });
    writeFile(config("Alarmierungen.dat"), kFile);
    withDialog([&](AlarmDialog& d) {
        prompter.addAnswer("Yes");
        QTest::mouseClick(control<QPushButton>(d, "frm18_cmdAlleLöschen"), Qt::LeftButton);
        EXPECT_EQ(prompter.records().last().text, "Wollen Sie wirklich ALLE Alarme löschen!?");
        EXPECT_EQ(d.table()->topLevelItemCount(), 0);
        QTest::mouseClick(control<QPushButton>(d, "frm18_cmdOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(readFile(config("Alarmierungen.dat")).isEmpty());
    EXPECT_EQ(state->alarms.size(), 0);
}

} // namespace

namespace {

TEST_F(AlarmDialogTest, ActiveListShowsOverTheDisplayUntilAMouseButton)
{
    main->resize(800, 600);
    main->show();
    terminal().PrgFunktionen(770);
    auto* overlay = findNamed<QFrame>(*main, "frm1_frAlarme");
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->geometry(), main->display()->rect());
    EXPECT_EQ(findNamed<QLabel>(*main, "frm1_lblAlarme")->text(),
              "Mit einer beliebigen Maustaste schliessen Sie die Anzeige wieder.");
    auto* list = findNamed<QListWidget>(*main, "frm1_lbAlarme");
    ASSERT_EQ(list->count(), 1) << "the active definition only";
    EXPECT_EQ(list->item(0)->text(), state->alarms.entries().at(0));
    // It follows the display's size, and any button closes it.
    main->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(overlay->geometry(), main->display()->rect());
    const QPointer<QFrame> alive(overlay);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace
