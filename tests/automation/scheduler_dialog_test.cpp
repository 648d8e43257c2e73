#include "shared/text_file.h"
#include "terminal/automation/script_runner.h"
#include "terminal/automation/ui/automation_windows.h"
#include "terminal/automation/ui/scheduler_dialog.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/display/ui/display_actions.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

struct Runner : ScriptRunner
{
    void runScript(const QString& entry) override { runs << entry; }
    QStringList runs;
};

// The task dialog as the operator reaches it: function 760 of the main window.
class SchedulerDialogTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        clock.set(QDateTime(QDate(2027, 1, 5), QTime(10, 0, 0))); // a Tuesday
        terminal().StartVorbereitung();
        state->scripts.setSlot(3, "|Abfrage|x|");
        main = std::make_unique<MainWindow>(terminal(), serial());
        windows = std::make_unique<AutomationWindows>(rig().context(), main->displayActions(), main.get(),
                                                      &rig().automation.scheduler());
        rig().automation.scheduler().setScriptRunner(&runner);
    }
    void TearDown() override
    {
        windows.reset();
        main.reset();
    }

    SchedulerDialog& open()
    {
        terminal().PrgFunktionen(Fn::Zeitplaner);
        SchedulerDialog* d = windows->schedulerDialog();
        EXPECT_NE(d, nullptr);
        EXPECT_TRUE(d->isVisible());
        return *d;
    }
    template <typename T>
    static T* the(SchedulerDialog& d, const char* name) { return findNamed<T>(d, name); }
    // Clicks a button; check boxes and options on their mark, wherever the layout stretched them.
    static void click(SchedulerDialog& d, const char* name)
    {
        QAbstractButton* b = findNamed<QAbstractButton>(d, name);
        const bool mark = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, mark ? QPoint(8, b->height() / 2) : b->rect().center());
    }
    static QTreeWidget* table(SchedulerDialog& d) { return findNamed<QTreeWidget>(d, "frm11_lvTabelle"); }
    static QString cell(SchedulerDialog& d, int row, int column) { return table(d)->topLevelItem(row)->text(column); }
    // Types a time into the editable time list.
    static void typeTime(SchedulerDialog& d, const QString& time)
    {
        QLineEdit* edit = the<QComboBox>(d, "frm11_cbTermin")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, time);
    }
    static void chooseKind(SchedulerDialog& d, int kind)
    {
        QComboBox* box = the<QComboBox>(d, "frm11_cbAufgabe");
        box->setFocus();
        while (box->currentIndex() + 1 < kind)
            QTest::keyClick(box, Qt::Key_Down);
        while (box->currentIndex() + 1 > kind)
            QTest::keyClick(box, Qt::Key_Up);
    }
    // The task file as its Windows-1252 bytes, shown as text.
    QString taskFile() const { return QString::fromLatin1(readFile(config("Zeitplaner.dat"))); }

    Runner runner;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<AutomationWindows> windows;
};

TEST_F(SchedulerDialogTest, EnteredTasksAreWrittenByteExactOnOkAndStartTheTimer)
{
    SchedulerDialog& d = open();
    EXPECT_EQ(the<QGroupBox>(d, "frm11_frRahmen1")->title(), "Anzeige Tasks (0):");
    EXPECT_EQ(table(d)->headerItem()->text(11), "Script");
    // A weekly move of the monitor file on Sundays, with the stamp.
    typeTime(d, "07:45");
    click(d, "frm11_optSerie2");
    QComboBox* when = the<QComboBox>(d, "frm11_cbZeitangabe");
    ASSERT_EQ(when->count(), 7);
    EXPECT_EQ(when->currentText(), "Montag");
    when->setFocus();
    QTest::keyClick(when, Qt::Key_End);
    EXPECT_EQ(when->currentText(), "Sonntag");
    click(d, "frm11_optDatei2");
    chooseKind(d, 3);
    QTest::keyClicks(the<QLineEdit>(d, "frm11_edKopieren"), "/daten/sicher");
    click(d, "frm11_chkZeit");
    prompter.addAnswers({"Yes"});
    click(d, "frm11_cmdEintragen");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Wollen Sie den Task >07:45< eintragen?\r\rAufgabe: 03 Verschieben");
    // A daily script task: the file choice becomes "-", the folder is not stored; the flags
    // are stored as they stand.
    typeTime(d, "23:59");
    click(d, "frm11_optSerie1");
    EXPECT_EQ(when->count(), 0);
    chooseKind(d, 4);
    EXPECT_FALSE(the<QLineEdit>(d, "frm11_edKopieren")->isEnabled());
    EXPECT_TRUE(the<QComboBox>(d, "frm11_cbScript")->isEnabled());
    EXPECT_EQ(the<QComboBox>(d, "frm11_cbScript")->currentText(), "03 Abfrage");
    click(d, "frm11_chkStatus");
    prompter.addAnswers({"Yes"});
    click(d, "frm11_cmdEintragen");
    ASSERT_EQ(table(d)->topLevelItemCount(), 2);
    EXPECT_EQ(cell(d, 1, 0), "002");
    EXPECT_EQ(the<QGroupBox>(d, "frm11_frRahmen1")->title(), "Anzeige Tasks (2):");
    EXPECT_FALSE(state->tmrZeitplaner.isActive());

    click(d, "frm11_cmdOK");
    EXPECT_EQ(taskFile(), QString::fromLatin1("|1|07:45|W\xf6" "chentlich (2)|Sonntag (7)|Monitor (2)|Verschieben (3)|"
                                              "/daten/sicher|1|0|0||\r\n"
                                              "|0|23:59|T\xe4glich (1)| (0)|- (2)|Script senden (4)||1|0|0|03 Abfrage|\r\n"));
    EXPECT_EQ(state->tasks.entries(),
              QStringList{QString::fromUtf8("07:45 02 07 |1|07:45|Wöchentlich (2)|Sonntag (7)|Monitor (2)|"
                                            "Verschieben (3)|/daten/sicher|1|0|0||")});
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(SchedulerDialogTest, WrongTimeOrMissingTargetIsRefusedAndEveryListHasItsEntries)
{
    SchedulerDialog& d = open();
    typeTime(d, "7:45");
    prompter.addAnswers({"Ok"});
    click(d, "frm11_cmdEintragen");
    typeTime(d, "07:45");
    prompter.addAnswers({"Ok"});
    click(d, "frm11_cmdEintragen"); // a copy without a target folder
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records()[0].text, "Die Angabe Ihrer Terminzeit ist falsch.\r\rBitte korrigieren Sie Ihre Angaben.");
    EXPECT_EQ(prompter.records()[1].caption, "Task eintragen");
    EXPECT_EQ(prompter.records()[1].icon, "Warning");
    EXPECT_EQ(table(d)->topLevelItemCount(), 0);

    QComboBox* when = the<QComboBox>(d, "frm11_cbZeitangabe");
    click(d, "frm11_optSerie3");
    ASSERT_EQ(when->count(), 31);
    EXPECT_EQ(when->itemText(0), "01. Tag");
    EXPECT_EQ(when->itemText(30), "31. Tag");
    click(d, "frm11_optSerie4");
    ASSERT_EQ(when->count(), 12);
    EXPECT_EQ(when->currentText(), "1.01.xxxx");
    EXPECT_EQ(when->itemText(11), "1.12.xxxx");
    // A deletion has no target: the field is emptied on entering.
    chooseKind(d, 2);
    EXPECT_FALSE(the<QCheckBox>(d, "frm11_chkZeit")->isEnabled());
    EXPECT_TRUE(the<QCheckBox>(d, "frm11_chkLoeschen")->isEnabled());
    the<QLineEdit>(d, "frm11_edKopieren")->setText("/weg");
    prompter.addAnswers({"Yes"});
    click(d, "frm11_cmdEintragen");
    EXPECT_EQ(the<QLineEdit>(d, "frm11_edKopieren")->text(), "");
    EXPECT_EQ(cell(d, 0, 4), "1.01.xxxx (1)");
    EXPECT_EQ(cell(d, 0, 7), "");
}

TEST_F(SchedulerDialogTest, DeleteRunAndCancelWorkOnTheLoadedTasks)
{
    const QByteArray original = "|1|08:00|T\xe4glich (1)| (0)|- (1)|Script senden (4)||0|0|0|03 Abfrage|\r\n"
                                "|1|09:00|T\xe4glich (1)| (0)|Capture (1)|L\xf6schen (2)||0|0|0||\r\n"
                                "|0|10:00|Monatlich (3)|05. Tag (5)|Capture (1)|L\xf6schen (2)||0|0|0||\r\n";
    writeFile(config("Zeitplaner.dat"), original);
    SchedulerDialog& d = open();
    ASSERT_EQ(table(d)->topLevelItemCount(), 3);
    EXPECT_EQ(cell(d, 2, 0), "003");
    EXPECT_EQ(cell(d, 2, 4), "05. Tag (5)");

    // The selected script task runs by hand after the question.
    QTest::mouseClick(table(d)->viewport(), Qt::LeftButton, {},
                      table(d)->visualItemRect(table(d)->topLevelItem(0)).center());
    prompter.addAnswers({"Yes"});
    click(d, "frm11_cmdManuell");
    EXPECT_EQ(prompter.records().last().text,
              QString::fromUtf8("Soll der aktuelle Task wirklich ausgeführt werden!?\r\r08:00 01 00 |1|08:00|Täglich (1)| "
                                "(0)|- (1)|Script senden (4)||0|0|0|03 Abfrage|"));
    EXPECT_EQ(runner.runs, QStringList{"03 Abfrage"});

    QTest::mouseClick(table(d)->viewport(), Qt::LeftButton, {},
                      table(d)->visualItemRect(table(d)->topLevelItem(1)).center());
    prompter.addAnswers({"No", "Yes"});
    click(d, "frm11_cmdLoeschen");
    EXPECT_EQ(table(d)->topLevelItemCount(), 3);
    click(d, "frm11_cmdLoeschen");
    ASSERT_EQ(table(d)->topLevelItemCount(), 2);
    EXPECT_EQ(cell(d, 1, 0), "002");
    EXPECT_EQ(cell(d, 1, 2), "10:00");
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie den aktuellen Task wirklich löschen!?");
    // Cancel leaves the file as it was.
    click(d, "frm11_cmdAbbrechen");
    EXPECT_EQ(taskFile(), QString::fromLatin1(original));

    SchedulerDialog& again = open();
    prompter.addAnswers({"Yes"});
    click(again, "frm11_cmdAlleLoeschen");
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie wirklich ALLE Zeitplanertasks löschen!?");
    rig().automation.scheduler().reload();
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
    click(again, "frm11_cmdOK");
    EXPECT_EQ(taskFile(), QString());
    EXPECT_TRUE(state->tasks.isEmpty());
    EXPECT_FALSE(state->tmrZeitplaner.isActive());
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(SchedulerDialogTest, TheTargetFolderIsChosenAndShownInTheExplorer)
{
    SchedulerDialog& d = open();
    const QString chosen = programDir.filePath("Ziel");
    QDir().mkpath(chosen);
    prompter.addAnswers({chosen});
    click(d, "frm11_cmdAuswahl");
    ASSERT_EQ(prompter.fileRequests().size(), 1);
    EXPECT_EQ(prompter.fileRequests()[0].title, "Bitte wählen Sie einen Zielordner aus:");
    EXPECT_EQ(prompter.fileRequests()[0].kind, FileDialogKind::Folder);
    EXPECT_EQ(the<QLineEdit>(d, "frm11_edKopieren")->text(), chosen);
    QTest::mouseClick(the<QLineEdit>(d, "frm11_edKopieren"), Qt::LeftButton);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "folder");
    EXPECT_EQ(shell.calls[0].target, chosen);
    // The log button opens the protocol in the editor.
    shell.available.insert(folders.programDir() + "quillet");
    click(d, "frm11_cmdLogbuch");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_TRUE(shell.calls[1].arguments.join(' ').endsWith("Zeitplanerprotokoll.txt", Qt::CaseInsensitive));
}

} // namespace
