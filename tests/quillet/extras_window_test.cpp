#include "tests/quillet/extras_test_support.h"
#include "tests/support/fake_shell.h"
#include "tests/support/virtual_clock.h"

#include "quillet/date_formats.h"
#include "quillet/editor_settings.h"
#include "quillet/file_association.h"
#include "quillet/user_menu.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/sheet_editor.h"
#include "shared/platform/scripted_prompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using quillet::MainWindow;

namespace {

// Runs `act` on the next modal dialog once it is shown (key events may run the event loop
// before the dialog opens, so this waits for the dialog rather than for the next turn).
// The poll goes with `owner` (the window), so a dialog that never came stays in its test.
void onNextDialog(QObject* owner, std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer(owner);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start();
}

template <typename T>
T* named(QWidget* parent, const char* name)
{
    T* child = parent->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QStringList texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (const QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// A shell whose mail program is there but does not start.
class BrokenMailShell : public FakeShell {
public:
    QString findProgram(const QString& program) const override { return program; }
    bool startProgram(const QString&, const QStringList&, const QString&) override { return false; }
};

class ExtrasWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        w.reset();
        EXPECT_EQ(prompter.unexpected(), 0)
            << (prompter.records().isEmpty() ? std::string() : prompter.records().last().text.toStdString());
    }

    MainWindow& window(Shell* useShell = nullptr)
    {
        if (!w) {
            MainWindow::Config config;
            config.instanceFilePath = dir.filePath("quillet.tmp");
            config.tempFolder = dir.path();
            config.ownKey = "1";
            config.mailFolder = mailFolder();
            config.clock = &clock;
            config.association = &association;
            w = std::make_unique<MainWindow>(prompter, useShell ? *useShell : shell, settings, config);
        }
        return *w;
    }
    QString mailFolder() const { return dir.filePath("mail"); }
    quillet::SheetEditor& editor() { return *window().currentSheet().editor; }
    QMenu* menu(const char* name) { return window().findChild<QMenu*>(QLatin1String(name)); }
    QAction* action(const char* name) { return window().findChild<QAction*>(QLatin1String(name)); }
    QStringList mailFolders() const
    {
        return QDir(mailFolder()).entryList({"mail-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    }

    XdgSandbox desk;  // no test touches the desktop of the user running it
    QTemporaryDir dir;
    QSettings own{dir.filePath("own.ini"), QSettings::IniFormat};
    QSettings shared{dir.filePath("shared.ini"), QSettings::IniFormat};
    quillet::EditorSettings settings{own, shared};
    ScriptedPrompter prompter;
    FakeShell shell;
    VirtualClock clock{QDateTime(QDate(2026, 12, 7), QTime(13, 5, 9))};
    quillet::XdgFileAssociation association{QCoreApplication::applicationFilePath(), XdgSandbox::xdgMime()};
    std::unique_ptr<MainWindow> w;
};

TEST_F(ExtrasWindowTest, MenusHoldTheNewEntries)
{
    QStringList bar;
    for (const QAction* a : window().menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar.indexOf("&Benutzer") + 1, bar.indexOf("&Extras"));
    const QStringList file = texts(menu("mnuDatei")->actions());
    EXPECT_EQ(file.indexOf("Blatt &löschen\tAlt+Entf") + 1, file.indexOf("S&enden..."));
    EXPECT_EQ(texts(menu("mnuBearbeiten")->actions()).last(), "Uhrzeit/&Datum\tF5");
    // Without entries the user menu has only its first item.
    EXPECT_EQ(texts(menu("mnuBenutzer")->actions()), QStringList{"&Menü bearbeiten..."});

    // The right-click menu offers date and time too.
    window().show();
    QStringList popup;
    QTimer::singleShot(0, [&popup] {
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr);
        popup = texts(open->actions());
        open->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), editor().viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(editor().viewport(), &event);
    EXPECT_TRUE(popup.contains("Uhrzeit/&Datum\tF5")) << popup.join('|').toStdString();
}

TEST_F(ExtrasWindowTest, UserMenuEntriesInsertTheirTextAsOneStep)
{
    quillet::UserMenu::write(own, {{"Gruß", "Mit freundlichen Grüßen"}, {"Signatur", "--\r\nHans"}});
    own.setValue("UserMenu/Leer", "");
    EXPECT_EQ(texts(menu("mnuBenutzer")->actions()),
              (QStringList{"&Menü bearbeiten...", "-", "Gruß", "Signatur"}));
    EXPECT_EQ(action("actBenutzer1")->statusTip(), "Fügt \"Signatur\" ein.");

    editor().insertPlainText("Hallo Welt");
    editor().setSelection(6, 10);
    menu("mnuBenutzer")->actions().at(3)->trigger();
    EXPECT_EQ(editor().text(), "Hallo --\nHans");
    EXPECT_EQ(editor().caretPosition(), 13);
    EXPECT_TRUE(window().actions().trigger(quillet::cmd::kFirstUserCommand));
    EXPECT_EQ(editor().text(), "Hallo --\nHansMit freundlichen Grüßen");
    editor().undo();
    editor().undo();
    EXPECT_EQ(editor().text(), "Hallo Welt");

    // Beyond the sheet's text limit nothing is inserted.
    window().applyTextLimit(12);
    editor().setCaretPosition(10);
    action("actBenutzer0")->trigger();
    EXPECT_EQ(editor().text(), "Hallo Welt");
}

TEST_F(ExtrasWindowTest, TheMenuIsEditedOnItsPageAndRebuiltAfterOk)
{
    quillet::UserMenu::write(own, {{"Gruß", "MfG"}, {"Alt", "weg damit"}});
    window();
    onNextDialog(&window(), [](QWidget* dialog) {
        auto* tabs = named<QTabWidget>(dialog, "tabSeiten");
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Benutzermenü");
        auto* list = named<QTreeWidget>(dialog, "lvBenutzermenue");
        EXPECT_EQ(list->headerItem()->text(0), "Menüname");
        EXPECT_EQ(list->headerItem()->text(1), "Text");
        auto* name = named<QLineEdit>(dialog, "edMenuename");
        auto* text = named<QLineEdit>(dialog, "edMenueText");
        auto* add = named<QPushButton>(dialog, "cmdMenueHinzufuegen");
        EXPECT_FALSE(add->isEnabled());
        QTest::keyClicks(name, "Datum");
        QTest::keyClicks(text, "heute");
        QTest::mouseClick(add, Qt::LeftButton);
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_EQ(list->topLevelItem(2)->text(1), "heute");

        // Choosing a row shows it in the fields; "Löschen" removes it.
        QTreeWidgetItem* old = list->topLevelItem(1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(old).center());
        EXPECT_EQ(name->text(), "Alt");
        EXPECT_EQ(text->text(), "weg damit");
        QTest::mouseClick(named<QPushButton>(dialog, "cmdMenueLoeschen"), Qt::LeftButton);
        ASSERT_EQ(list->topLevelItemCount(), 2);

        QTest::mouseClick(named<QPushButton>(dialog, "cmdMenueLeeren"), Qt::LeftButton);
        EXPECT_TRUE(name->text().isEmpty());
        EXPECT_TRUE(text->text().isEmpty());
        EXPECT_FALSE(add->isEnabled());

        // Adding a name that is there changes its text.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        EXPECT_EQ(name->text(), "Gruß");
        text->clear();
        QTest::keyClicks(text, "Viele Gruesse");
        QTest::mouseClick(add, Qt::LeftButton);
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(1), "Viele Gruesse");
        QTest::mouseClick(named<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    action("actMenueBearbeiten")->trigger();
    EXPECT_EQ(texts(menu("mnuBenutzer")->actions()), (QStringList{"&Menü bearbeiten...", "-", "Gruß", "Datum"}));
    EXPECT_EQ(quillet::UserMenu::read(own),
              (QList<quillet::UserMenu::Entry>{{"Gruß", "Viele Gruesse"}, {"Datum", "heute"}}));
    action("actBenutzer1")->trigger();
    EXPECT_EQ(editor().text(), "heute");

    // Cancel keeps the menu as it was.
    onNextDialog(&window(), [](QWidget* dialog) {
        auto* list = named<QTreeWidget>(dialog, "lvBenutzermenue");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QTest::mouseClick(named<QPushButton>(dialog, "cmdMenueLoeschen"), Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>(dialog, "cmdAbbrechen"), Qt::LeftButton);
    });
    action("actMenueBearbeiten")->trigger();
    EXPECT_EQ(texts(menu("mnuBenutzer")->actions()).size(), 4);
    EXPECT_EQ(quillet::UserMenu::read(own).size(), 2);
}

TEST_F(ExtrasWindowTest, F5InsertsTheChosenDateLine)
{
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    editor().insertPlainText("Heute: ");
    QStringList offered;
    onNextDialog(&window(), [&offered](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Datum und Uhrzeit");
        auto* list = named<QListWidget>(dialog, "lstFormate");
        for (int i = 0; i < list->count(); ++i)
            offered << list->item(i)->text();
        const QRect row = list->visualItemRect(list->item(1));
        // A real double click: press and release, then the second press as the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    });
    QTest::keyClick(&editor(), Qt::Key_F5);
    EXPECT_EQ(offered, quillet::DateFormats::lines(clock.now()));
    EXPECT_EQ(editor().text(), "Heute: Montag, 07. Dezember 2026");

    // Half past midnight in the twelve-hour form, chosen with the keys and OK.
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(0, 30)));
    editor().selectAll();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    onNextDialog(&window(), [](QWidget* dialog) {
        auto* list = named<QListWidget>(dialog, "lstFormate");
        list->setFocus();
        for (int i = 0; i < 13; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(list->currentItem()->text(), "00:30");
        QTest::mouseClick(named<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QTest::keyClick(&editor(), Qt::Key_F5);
    EXPECT_EQ(editor().text(), "00:30");
}

TEST_F(ExtrasWindowTest, SendingAttachesTheTextNamedAfterTheSheet)
{
    settings.setText("fEmailName", "Support");
    settings.setText("fEmailAddress", "support@kavimor.de");
    settings.setText("fEmailBetreff", "Bericht");
    settings.setText("fEmailText", "Anbei der Text.");
    shell.available.insert("xdg-email");
    editor().insertPlainText("Grüße\nZeile 2");
    action("actSenden")->trigger();

    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "start");
    EXPECT_EQ(shell.calls[0].target, "xdg-email");
    const QStringList args = shell.calls[0].arguments;
    ASSERT_EQ(args.size(), 8);
    const QString attached = args[5];
    EXPECT_EQ(args, (QStringList{"--subject", "Bericht", "--body", "Anbei der Text.", "--attach", attached, "--",
                                 "Support <support@kavimor.de>"}));
    EXPECT_EQ(QFileInfo(attached).fileName(), "Unbenannt 1");
    EXPECT_TRUE(QFileInfo(attached).absolutePath().startsWith(mailFolder()));
    // Still there for the mail program, which reads it after the call has returned.
    EXPECT_EQ(XdgSandbox::read(attached), QByteArray("Gr\xFC\xDF" "e\r\nZeile 2"));

    // A file of its own: its name, and its bytes as they are saved (UTF-8, LF here).
    const QString path = dir.filePath("bericht.txt");
    XdgSandbox::write(path, "Pfeil \xE2\x86\x92\nEnde\n");
    ASSERT_TRUE(window().openFile(path));
    action("actSenden")->trigger();
    ASSERT_EQ(shell.calls.size(), 2);
    const QString second = shell.calls[1].arguments[5];
    EXPECT_EQ(QFileInfo(second).fileName(), "bericht.txt");
    EXPECT_EQ(XdgSandbox::read(second), XdgSandbox::read(path));
    EXPECT_EQ(mailFolders().size(), 2);
}

TEST_F(ExtrasWindowTest, ALargeTextIsWrittenForTheMailOnAWorker)
{
    shell.available.insert("xdg-email");
    const QString text = QString(MainWindow::kBackgroundRead, u'a') + "\nEnde";
    editor().insertPlainText(text);
    // The window goes on handling events meanwhile, in the busy state.
    bool busyMeanwhile = false;
    QTimer::singleShot(0, [this, &busyMeanwhile] { busyMeanwhile = window().isBusy(); });
    action("actSenden")->trigger();
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(window().isBusy());
    ASSERT_EQ(shell.calls.size(), 1);
    const QByteArray written = XdgSandbox::read(shell.calls[0].arguments[5]);
    EXPECT_EQ(written.size(), text.size() + 1);  // the line break written as CR LF
    EXPECT_TRUE(written.endsWith("a\r\nEnde"));
}

TEST_F(ExtrasWindowTest, WithoutAMailProgramItSaysSoAndLeavesNoFile)
{
    editor().insertPlainText("Text");
    prompter.addAnswer("Ok");
    action("actSenden")->trigger();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Das versenden von Emails kann nicht ausgeführt werden.");
    EXPECT_EQ(prompter.records()[0].icon, boxIconName(BoxIcon::Critical));
    EXPECT_TRUE(shell.calls.isEmpty());  // no mailto: address, the text would not travel
    EXPECT_TRUE(mailFolders().isEmpty());
}

TEST_F(ExtrasWindowTest, AMailProgramThatDoesNotStartIsReported)
{
    BrokenMailShell broken;
    window(&broken);
    prompter.addAnswer("Ok");
    action("actSenden")->trigger();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Die Datei \"Unbenannt 1\" kann nicht gesendet werden.");
    EXPECT_TRUE(mailFolders().isEmpty());
}

TEST_F(ExtrasWindowTest, FilesOfOldMailsGoAtTheNextSend)
{
    QDir().mkpath(mailFolder() + "/mail-abcdef");
    XdgSandbox::write(mailFolder() + "/mail-abcdef/alt.txt", "alt");
    ASSERT_TRUE(setModificationTime(mailFolder() + "/mail-abcdef", clock.now().addSecs(-1000)));
    shell.available.insert("xdg-email");
    window();
    EXPECT_EQ(mailFolders(), QStringList{"mail-abcdef"});  // younger than a day at start
    clock.set(clock.now().addDays(2));
    action("actSenden")->trigger();
    ASSERT_EQ(mailFolders().size(), 1);
    EXPECT_NE(mailFolders()[0], "mail-abcdef");
}

// Opens the options, switches to "Register" and runs `act` with the two association options.
void onRegisterPage(QObject* owner,
                    std::function<void(QRadioButton* quillet, QRadioButton* system, QWidget* dialog)> act)
{
    onNextDialog(owner, [act](QWidget* dialog) {
        auto* tabs = named<QTabWidget>(dialog, "tabSeiten");
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == "Register")
                tabs->setCurrentIndex(i);
        }
        act(named<QRadioButton>(dialog, "optQuilletStandard"), named<QRadioButton>(dialog, "optSystemStandard"),
            dialog);
    });
}

TEST_F(ExtrasWindowTest, TheRegisterPageHandsTextFilesOverOnOk)
{
    window();
    onRegisterPage(&window(), [](QRadioButton* quillet, QRadioButton* system, QWidget* dialog) {
        EXPECT_EQ(quillet->text(), "&Quillet als Standard verwenden");
        EXPECT_TRUE(system->isChecked());
        QTest::mouseClick(quillet, Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    action("actOptionen")->trigger();
    EXPECT_EQ(XdgSandbox::queryDefault(), "quillet.desktop");

    onRegisterPage(&window(), [](QRadioButton* quillet, QRadioButton* system, QWidget* dialog) {
        EXPECT_TRUE(quillet->isChecked());
        QTest::mouseClick(system, Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    action("actOptionen")->trigger();
    EXPECT_EQ(XdgSandbox::queryDefault(), "sysedit.desktop");
}

TEST_F(ExtrasWindowTest, WithoutXdgMimeTheChoiceIsRefusedWithAReason)
{
    quillet::XdgFileAssociation missing("/opt/quillet/quillet", QString());
    MainWindow::Config config;
    config.instanceFilePath = dir.filePath("quillet.tmp");
    config.tempFolder = dir.path();
    config.ownKey = "1";
    config.clock = &clock;
    config.association = &missing;
    w = std::make_unique<MainWindow>(prompter, shell, settings, config);
    onRegisterPage(&window(), [](QRadioButton* quillet, QRadioButton* system, QWidget* dialog) {
        EXPECT_FALSE(quillet->isChecked());
        EXPECT_FALSE(system->isChecked());
        QTest::mouseClick(quillet, Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    prompter.addAnswer("Ok");
    action("actOptionen")->trigger();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.contains("xdg-mime"));
    EXPECT_EQ(XdgSandbox::queryDefault(), "sysedit.desktop");
}

} // namespace
