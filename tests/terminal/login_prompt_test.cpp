#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/core/ui/menu_bar.h"
#include "terminal/options/ui/login_prompt.h"
#include "terminal/options/ui/password_functions.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tarvex;

namespace {

class LoginPromptTest : public TerminalFixture
{
protected:
    void build(const QByteArray& kundeIni = QByteArray())
    {
        writeFile(config("Menustruktur00.dat"), "Kopf\r\n|1|&Optionen|0|Einstellungen||\r\n"
                                                "|0|&Anmelden...|725|Benutzer anmelden|Strg+M|\r\n");
        writeFile(config("Scripts.ini"), "[Script]\r\n");
        if (!kundeIni.isEmpty())
            writeFile(data("kunde.ini"), kundeIni);
        terminal().StartVorbereitung();
        window = std::make_unique<MainWindow>(terminal(), serial());
        passwords = std::make_unique<PasswordFunctions>(terminal().context(), window.get(),
                                                        [this] { terminal().ProgrammEnde(0); });
        window->BildAufbau();
        ASSERT_TRUE(prompter.records().isEmpty()) << prompter.records().value(0).text.toStdString();
    }
    void TearDown() override
    {
        passwords.reset();
        window.reset();
    }

    // Runs `steps` on the prompt as soon as it is shown (from inside its own event loop);
    // a prompt still open afterwards is closed so that the test goes on.
    void whenShown(std::function<void(LoginPrompt&)> steps)
    {
        m_steps = std::move(steps);
        QTimer::singleShot(0, &m_timers, [this] { poll(50); });
    }
    void poll(int triesLeft)
    {
        auto* prompt = qobject_cast<LoginPrompt*>(QApplication::activeModalWidget());
        if (!prompt) {
            if (triesLeft > 0)
                QTimer::singleShot(0, &m_timers, [this, triesLeft] { poll(triesLeft - 1); });
            return;
        }
        ++shownCount;
        m_steps(*prompt);
        if (prompt->isVisible())
            prompt->done(QDialog::Accepted);
    }
    void login()
    {
        terminal().PrgFunktionen(Fn::Anmelden);
    }
    // Types into the entry key by key, letters beyond ASCII too.
    static void type(LoginPrompt& prompt, const QString& text)
    {
        QLineEdit* entry = findNamed<QLineEdit>(prompt, "frm3_edPasswort");
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, entry, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
    static void click(LoginPrompt& prompt, const char* name)
    {
        QTest::mouseClick(findNamed<QPushButton>(prompt, name), Qt::LeftButton);
    }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<PasswordFunctions> passwords;
    int shownCount = 0;

private:
    std::function<void(LoginPrompt&)> m_steps;
    QObject m_timers; // the polls end with the test
};

TEST_F(LoginPromptTest, WrongEntryKeepsThePromptAndTheRightOneClosesIt)
{
    build();
    state->settings.passwort = QString::fromUtf8("Grün3");
    bool closedByRightEntry = false;
    whenShown([&](LoginPrompt& prompt) {
        EXPECT_EQ(prompt.objectName(), "frm3");
        EXPECT_EQ(prompt.windowTitle(), "Benutzer anmelden");
        EXPECT_EQ(findNamed<QLabel>(prompt, "frm3_lblPasswort")->text(), "Bitte geben Sie das Passwort ein:");
        EXPECT_EQ(prompt.parentWidget(), window.get());
        EXPECT_TRUE(prompt.isModal()) << "the main window takes no input meanwhile";
        QLineEdit* entry = findNamed<QLineEdit>(prompt, "frm3_edPasswort");
        EXPECT_EQ(entry->echoMode(), QLineEdit::Password);

        prompter.addAnswers({"Ok", "Ok"});
        type(prompt, QString::fromUtf8("grün3"));
        click(prompt, "frm3_cmdOK");
        EXPECT_TRUE(prompt.isVisible());
        ASSERT_EQ(prompter.records().size(), 1);
        EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
        EXPECT_EQ(prompter.records()[0].text,
                  "Ihre Eingabe ist nicht korrekt!\r\rBitte geben Sie ein korrektes Passwort ein.");
        EXPECT_TRUE(entry->text().isEmpty());

        click(prompt, "frm3_cmdOK");
        EXPECT_TRUE(prompt.isVisible()) << "an empty entry is wrong too";

        type(prompt, QString::fromUtf8("Grün3"));
        QTest::keyClick(entry, Qt::Key_Return);
        closedByRightEntry = !prompt.isVisible() && prompt.result() == QDialog::Accepted;
    });
    login();
    EXPECT_EQ(shownCount, 1);
    EXPECT_TRUE(closedByRightEntry);
    EXPECT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.unexpected(), 0);
    EXPECT_FALSE(state->endRequest);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LoginPromptTest, BeendenCloseBoxAndEscapeAskAndOnlyYesEndsTheProgramInOrder)
{
    build();
    state->settings.passwort = "abc";
    state->settings.koordinate = true;
    QSignalSpy ended(&terminal(), &Terminal::endRequested);
    bool closedByEnd = false;
    whenShown([&](LoginPrompt& prompt) {
        prompter.addAnswers({"No", "No", "No"});
        click(prompt, "frm3_cmdBeenden");
        EXPECT_TRUE(prompt.isVisible());
        prompt.close();
        EXPECT_TRUE(prompt.isVisible()) << "the close box does not get past the prompt";
        QTest::keyClick(findNamed<QLineEdit>(prompt, "frm3_edPasswort"), Qt::Key_Escape);
        EXPECT_TRUE(prompt.isVisible());
        EXPECT_EQ(ended.count(), 0);

        prompter.addAnswer("Yes");
        click(prompt, "frm3_cmdBeenden");
        closedByEnd = !prompt.isVisible();
    });
    login();
    EXPECT_TRUE(closedByEnd);
    ASSERT_EQ(prompter.records().size(), 4);
    for (const PromptRecord& r : prompter.records()) {
        EXPECT_EQ(r.caption, "Sicherheitsabfrage");
        EXPECT_EQ(r.text, "Wollen Sie Terminal Tarvex wirklich beenden?");
        EXPECT_EQ(r.buttons, "YesNo");
    }
    EXPECT_TRUE(state->endRequest);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("Passwort=")) << "the settings were written on the way out";
}

TEST_F(LoginPromptTest, WithoutPasswordTheItemIsGreyAndRunAnywayItSaysSoAndOpensThePasswordPage)
{
    build();
    QAction* item = window->menu().action(Fn::Anmelden);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    state->settings.passwort = "abc";
    terminal().functions().refreshStates();
    EXPECT_TRUE(item->isEnabled());
    state->settings.passwort.clear();
    terminal().functions().refreshStates();
    EXPECT_FALSE(item->isEnabled());

    int pageOpened = 0;
    terminal().functions().add(Fn::OptionenPasswort, [&] {
        EXPECT_EQ(prompter.records().size(), 1) << "after the message";
        ++pageOpened;
    });
    whenShown([&](LoginPrompt&) {});
    login(); // a surface that does not grey, such as the key map
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records()[0].text,
              "Es ist kein Passwort definiert.\r\rSie müssen erst ein Passwort anlegen,\rum diese Funktion zu nutzen.");
    EXPECT_EQ(pageOpened, 0) << "posted, not run inside the function";
    QCoreApplication::processEvents();
    EXPECT_EQ(pageOpened, 1);
    EXPECT_EQ(shownCount, 0) << "no prompt without a password";
}

TEST_F(LoginPromptTest, StoredPasswordWithPassStartShowsThePromptOnceTheLoopRuns)
{
    // "abc" scrambled with key 42.
    build("[Allgemein]\r\nPasswort=42029725227" "24205\r\nPassStart=-1\r\nVerz\xf6gert=30\r\n");
    QString entered;
    whenShown([&](LoginPrompt& prompt) {
        type(prompt, "abc");
        click(prompt, "frm3_cmdOK");
        entered = prompt.isVisible() ? "still shown" : "passed";
    });
    terminal().MasterMessage();
    EXPECT_EQ(shownCount, 0) << "not before the event loop runs";
    QCoreApplication::processEvents();
    EXPECT_EQ(shownCount, 1);
    EXPECT_EQ(entered, "passed");
    EXPECT_TRUE(prompter.records().isEmpty()) << prompter.records().value(0).text.toStdString();
}

} // namespace
