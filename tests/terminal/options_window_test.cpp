#include "terminal/options/ui/options_window.h"
#include "terminal/options/ui/options_windows.h"

#include "terminal/core/function_numbers.h"
#include "zendor/mail/mail_settings.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tarvex;

namespace {

template <typename T>
T* openModal()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

// Runs body on the modal window once it is shown, then closes what is still open.
template <typename T>
void whenShown(const std::function<void(T&)>& body)
{
    QTimer::singleShot(0, [body] {
        T* w = openModal<T>();
        if (!w) {
            ADD_FAILURE() << "no modal window";
            return;
        }
        body(*w);
        if (w->isVisible())
            w->reject();
    });
}

// The terminal with the options module, the window opened through its program functions.
class OptionsWindowTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        terminal();
        module = std::make_unique<OptionsWindows>(terminal().context(), nullptr);
    }
    void TearDown() override { module.reset(); }

    // Opens the window through the function and runs body on it; true when body ran.
    bool run(int function, const std::function<void(OptionsWindow&)>& body)
    {
        bool ran = false;
        whenShown<OptionsWindow>([&](OptionsWindow& w) {
            ran = true;
            body(w);
        });
        terminal().PrgFunktionen(function);
        return ran;
    }
    // Check boxes and option buttons take a click on their box, at the left.
    static void click(QWidget& w, const char* name)
    {
        auto* button = findNamed<QAbstractButton>(w, name);
        const bool boxAtLeft = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, boxAtLeft ? QPoint(6, button->height() / 2) : QPoint());
    }
    static void type(QWidget& w, const char* name, const QString& text)
    {
        auto* edit = findNamed<QLineEdit>(w, name);
        edit->clear();
        // QTest types ASCII only.
        bool ascii = true;
        for (QChar ch : text)
            ascii = ascii && ch.unicode() < 128;
        if (ascii)
            QTest::keyClicks(edit, text);
        else
            edit->insert(text);
    }
    QString kundeIni() const { return folders.dataDir() + QStringLiteral("kunde.ini"); }
    const PromptRecord& lastBox() const { return prompter.records().last(); }

    std::unique_ptr<OptionsWindows> module;
};

TEST_F(OptionsWindowTest, EachFunctionOpensItsPageInTheFixedOrder)
{
    const char* forms[] = {"frm5", "frm6", "frm7", "frm9", "frm10", "frm15", "frm22"};
    for (int k = 0; k < 7; ++k) {
        EXPECT_TRUE(terminal().functions().contains(Fn::Optionen + k));
        const bool ran = run(Fn::Optionen + k, [&](OptionsWindow& w) {
            EXPECT_EQ(w.objectName(), "frm4");
            EXPECT_TRUE(w.isModal());
            auto* tabs = findNamed<QTabWidget>(w, "frm4_tabOptionen");
            ASSERT_EQ(tabs->count(), 8);
            QStringList captions;
            for (int i = 0; i < tabs->count(); ++i)
                captions << tabs->tabText(i);
            EXPECT_EQ(captions, QStringList({"Allgemein", "Passwort", "Verbindung", "Anzeige", "Filter", "Modem",
                                             "Session", "E-Mail"}));
            EXPECT_EQ(tabs->currentIndex(), k);
            EXPECT_EQ(tabs->currentWidget()->objectName(), forms[k]);
            EXPECT_EQ(tabs->widget(7)->objectName(), "frmMail");
            click(w, "frm4_cmdAbbrechen");
            EXPECT_FALSE(w.isVisible());
        });
        EXPECT_TRUE(ran) << Fn::Optionen + k;
    }
    EXPECT_EQ(terminal().functions().caption(Fn::Optionen), "Optionen"); // the toolbar's caption stays
    EXPECT_EQ(terminal().functions().caption(Fn::OptionenFilter), "Filter");
    EXPECT_FALSE(QFileInfo::exists(kundeIni()));
}

TEST_F(OptionsWindowTest, OkTakesEveryPageOverWritesKundeIniAndTellsTheWindow)
{
    state->settings.endzeichen = 13;
    state->settings.farbeVG = 0x000000;
    state->settings.farbeHG = 0xFFFFFF;
    run(Fn::Optionen, [&](OptionsWindow& w) {
        type(w, "frm5_edVerzögert", "12");
        click(w, "frm5_chkPrgNoEnd");
        click(w, "frm5_optMaximiert");
        click(w, "frm5_chkMenuTasten");
        type(w, "frm5_edExport", "/usr/bin/libreoffice");
        click(w, "frm5_chkDebug");
        click(w, "frm6_chkAbStart");
        click(w, "frm7_chkLoeschMon");
        click(w, "frm7_chkWiederverbinden");
        type(w, "frm9_edMaxZeile", "2500");
        click(w, "frm9_chkFLeiste");
        click(w, "frm10_chkFilter");
        click(w, "frm10_optOemAnsi");
        findNamed<QComboBox>(w, "frm22_cbZeichen")->setCurrentText("132");
        type(w, "frm22_edGroesse", "12");
        click(w, "frm22_optStart");
        // Meanwhile the end character is detected; OK must not take it back.
        state->settings.endzeichen = 3;
        click(w, "frm4_cmdOK");
        EXPECT_FALSE(w.isVisible());
    });
    const KundeSettings& s = state->settings;
    EXPECT_EQ(s.verzoegert, 12);
    EXPECT_TRUE(s.prgNoEnd);
    EXPECT_TRUE(s.maximiert);
    EXPECT_FALSE(s.minimiert);
    EXPECT_TRUE(s.menuTasten);
    EXPECT_EQ(s.exportSetting, "/usr/bin/libreoffice");
    EXPECT_TRUE(s.debug);
    EXPECT_TRUE(state->debugMode);
    EXPECT_TRUE(s.passStart);
    EXPECT_TRUE(s.loeschMon);
    EXPECT_TRUE(s.wiederverbinden);
    EXPECT_EQ(s.maxZeilen, 2500);
    EXPECT_TRUE(s.fLeisteAktiv);
    EXPECT_TRUE(s.filter);
    EXPECT_TRUE(s.oemAnsi);
    EXPECT_FALSE(s.ansiOem);
    EXPECT_EQ(s.sessionZ, 132);
    EXPECT_EQ(s.sessionG, 12);
    EXPECT_EQ(s.sessionL, 2);
    EXPECT_EQ(s.endzeichen, 3);
    EXPECT_EQ(s.farbeHG, 0xFFFFFF); // untouched colours stay as stored
    EXPECT_EQ(view.changes, 1);
    const QByteArray ini = readFile(kundeIni());
    for (const char* line : {"Verz\xf6gert=12\r\n", "MaxZeilen=2500\r\n", "[F_Leiste]\r\nAktiv=-1\r\n", "SessionL=2\r\n",
                             "Export=/usr/bin/libreoffice\r\n", "Endzeichen=3\r\n", "Wiederverbinden=-1\r\n"})
        EXPECT_TRUE(ini.contains(line)) << line;
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(OptionsWindowTest, CancelAndTheCloseBoxChangeAndWriteNothing)
{
    state->settings.maxZeilen = 800;
    const KundeSettings before = state->settings;
    run(Fn::Optionen + 3, [&](OptionsWindow& w) {
        type(w, "frm9_edMaxZeile", "50");
        click(w, "frm9_chkFLeiste");
        click(w, "frm4_cmdAbbrechen");
    });
    run(Fn::Optionen + 3, [&](OptionsWindow& w) {
        EXPECT_EQ(findNamed<QLineEdit>(w, "frm9_edMaxZeile")->text(), "800");
        type(w, "frm9_edMaxZeile", "60");
        w.close();
    });
    EXPECT_EQ(state->settings.maxZeilen, before.maxZeilen);
    EXPECT_EQ(state->settings.fLeisteAktiv, before.fLeisteAktiv);
    EXPECT_FALSE(QFileInfo::exists(kundeIni()));
    EXPECT_EQ(view.changes, 0);
}

TEST_F(OptionsWindowTest, NumberFieldsRefuseBadInputAndKeepTheWindowOpen)
{
    struct Case
    {
        int function;
        const char* field;
        const char* bad;
        const char* label;
    };
    const Case cases[] = {
        {Fn::Optionen + 3, "frm9_edMaxZeile", "abc", "Maximale Zeilenanzahl"},
        {Fn::Optionen + 3, "frm9_edMaxZeile", "0", "Maximale Zeilenanzahl"},
        {Fn::Optionen + 3, "frm9_edMaxZeile", "100001", "Maximale Zeilenanzahl"},
        {Fn::Optionen, "frm5_edVerzögert", "-5", "Verbindung öffnen nach (Sekunden)"},
        {Fn::Optionen + 6, "frm22_edGroesse", "5", "Schriftgröße"},
        {Fn::Optionen, "frmMail_edPort", "70000", "Port"},
        {Fn::Optionen, "frmMail_edZeitlimit", "1x", "Zeitlimit"},
    };
    for (const Case& c : cases) {
        prompter.clearRecords();
        prompter.addAnswer("Ok");
        run(c.function, [&](OptionsWindow& w) {
            type(w, c.field, QString::fromUtf8(c.bad));
            click(w, "frm4_cmdOK");
            EXPECT_TRUE(w.isVisible()) << c.field;
            ASSERT_EQ(prompter.records().size(), 1) << c.field;
            EXPECT_EQ(lastBox().caption, "Sicherheitshinweis");
            EXPECT_TRUE(lastBox().text.startsWith(QStringLiteral("Der Wert für '") + QString::fromUtf8(c.label)
                                                  + QStringLiteral("' ist nicht zulässig: ") + QString::fromUtf8(c.bad)))
                << lastBox().text.toStdString();
            // The page with the field is shown, and what was typed stays.
            auto* field = findNamed<QLineEdit>(w, c.field);
            EXPECT_EQ(findNamed<QTabWidget>(w, "frm4_tabOptionen")->currentWidget()->isAncestorOf(field), true);
            EXPECT_EQ(field->text(), QString::fromUtf8(c.bad));
        });
    }
    EXPECT_FALSE(QFileInfo::exists(kundeIni()));
    EXPECT_EQ(view.changes, 0);

    // Corrected, the same window closes; an empty line limit is the display's default.
    prompter.clearRecords();
    run(Fn::Optionen + 3, [&](OptionsWindow& w) {
        type(w, "frm9_edMaxZeile", "x");
        prompter.addAnswer("Ok");
        click(w, "frm4_cmdOK");
        type(w, "frm9_edMaxZeile", "");
        click(w, "frm4_cmdOK");
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(state->settings.maxZeilen, 0);
    EXPECT_TRUE(QFileInfo::exists(kundeIni()));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(OptionsWindowTest, PasswordIsCheckedThenStoredAtOnce)
{
    const QString refused = QStringLiteral("Ihre Angaben sind nicht korrekt.\r\rBitte geben Sie zweimal das gleiche Passwort\r"
                                           "ein (mind.3 Zeichen).");
    run(Fn::Optionen + 1, [&](OptionsWindow& w) {
        EXPECT_EQ(findNamed<QLineEdit>(w, "frm6_edPasswort1")->echoMode(), QLineEdit::Password);
        EXPECT_EQ(findNamed<QLineEdit>(w, "frm6_edPasswort2")->echoMode(), QLineEdit::Password);
        // Two characters, then two different entries: refused, the entries stay.
        for (auto [a, b] : {std::pair{"ab", "ab"}, std::pair{"abcd", "abce"}}) {
            prompter.addAnswer("Ok");
            type(w, "frm6_edPasswort1", QString::fromUtf8(a));
            type(w, "frm6_edPasswort2", QString::fromUtf8(b));
            click(w, "frm6_cmdEintragen");
            EXPECT_EQ(lastBox().caption, "Sicherheitshinweis");
            EXPECT_EQ(lastBox().text, refused);
            EXPECT_EQ(findNamed<QLineEdit>(w, "frm6_edPasswort2")->text(), QString::fromUtf8(b));
        }
        // A character kunde.ini can't hold would lose the password at the next start.
        prompter.addAnswer("Ok");
        type(w, "frm6_edPasswort1", QStringLiteral("abc\u03A9"));
        type(w, "frm6_edPasswort2", QStringLiteral("abc\u03A9"));
        click(w, "frm6_cmdEintragen");
        EXPECT_TRUE(lastBox().text.startsWith("Dieses Passwort kann nicht gespeichert werden."));
        EXPECT_TRUE(state->settings.passwort.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(kundeIni()));

        // Three are enough; stored and written before the window closes.
        type(w, "frm6_edPasswort1", "abc");
        type(w, "frm6_edPasswort2", "abc");
        click(w, "frm6_chkAbStart");
        click(w, "frm6_cmdEintragen");
        EXPECT_EQ(state->settings.passwort, "abc");
        EXPECT_TRUE(state->settings.passStart);
        EXPECT_TRUE(QFileInfo::exists(kundeIni()));
        EXPECT_TRUE(findNamed<QLineEdit>(w, "frm6_edPasswort1")->text().isEmpty());
        EXPECT_EQ(findNamed<QLabel>(w, "frm6_lblStatus")->text(), "Ein Passwort ist eingetragen.");
        click(w, "frm4_cmdAbbrechen");
    });
    EXPECT_EQ(state->settings.passwort, "abc"); // Cancel does not take it back
    EXPECT_TRUE(readFile(kundeIni()).contains("PassStart=-1\r\n"));

    // An OK after entering it keeps the new password.
    run(Fn::Optionen + 1, [&](OptionsWindow& w) {
        type(w, "frm6_edPasswort1", "neues");
        type(w, "frm6_edPasswort2", "neues");
        click(w, "frm6_cmdEintragen");
        click(w, "frm4_cmdOK");
    });
    EXPECT_EQ(state->settings.passwort, "neues");

    run(Fn::Optionen + 1, [&](OptionsWindow& w) {
        prompter.addAnswer("No");
        click(w, "frm6_cmdLöschen");
        EXPECT_EQ(lastBox().caption, "Sicherheitsabfrage");
        EXPECT_EQ(lastBox().text, "Soll das Passwort wirklich gelöscht werden?");
        EXPECT_EQ(state->settings.passwort, "neues");
        prompter.addAnswer("Yes");
        click(w, "frm6_cmdLöschen");
        EXPECT_TRUE(state->settings.passwort.isEmpty());
        EXPECT_EQ(findNamed<QLabel>(w, "frm6_lblStatus")->text(), "Es ist kein Passwort eingetragen.");
    });
    KundeSettings reread;
    reread.passwort = QStringLiteral("vorher");
    terminal().context().settingsFile.kundeIni().IniDateien(1, reread);
    EXPECT_NE(reread.passwort, "vorher"); // the deletion reached the file
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(OptionsWindowTest, FilterPageAddsAndRemovesCharactersOfFilterZ)
{
    state->settings.filterZ = QStringLiteral("|3|7|");
    run(Fn::OptionenFilter, [&](OptionsWindow& w) {
        auto* choice = findNamed<QComboBox>(w, "frm10_cbFilterZ");
        auto* list = findNamed<QListWidget>(w, "frm10_lbFilterZ");
        EXPECT_EQ(list->count(), 2);
        choice->setCurrentText("Return");
        EXPECT_EQ(findNamed<QLabel>(w, "frm10_lblFilterZ")->text(), "Aktuelles Filterzeichen : Return");
        click(w, "frm10_cmdEintragen");
        choice->setEditText("27");
        click(w, "frm10_cmdEintragen");
        click(w, "frm10_cmdEintragen"); // a second time: listed once
        EXPECT_EQ(list->count(), 4);

        prompter.addAnswer("Ok");
        choice->setEditText("300");
        click(w, "frm10_cmdEintragen");
        EXPECT_EQ(lastBox().caption, "Sicherheitshinweis");
        EXPECT_EQ(list->count(), 4);

        list->setCurrentRow(1); // Beep
        prompter.addAnswer("No");
        click(w, "frm10_cmdLöschen");
        EXPECT_EQ(list->count(), 4);
        prompter.addAnswer("Yes");
        click(w, "frm10_cmdLöschen");
        EXPECT_EQ(lastBox().caption, "Sicherheitsabfrage");
        EXPECT_EQ(lastBox().text, "Soll das Filterzeichen gelöscht werden?\r\rZeichen: \rBeep");
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(state->settings.filterZ, "|3|7|"); // nothing before OK
        click(w, "frm4_cmdOK");
    });
    EXPECT_EQ(state->settings.filterZ, "|3|13|27|");
    EXPECT_TRUE(state->filter.contains(13));
    EXPECT_FALSE(state->filter.contains(7));
    EXPECT_TRUE(readFile(kundeIni()).contains("FilterZ=|3|13|27|\r\n"));

    // Emptied, the list is stored as an empty text, as the receive filter reads it.
    run(Fn::OptionenFilter, [&](OptionsWindow& w) {
        auto* list = findNamed<QListWidget>(w, "frm10_lbFilterZ");
        while (list->count() > 0) {
            list->setCurrentRow(0);
            prompter.addAnswer("Yes");
            click(w, "frm10_cmdLöschen");
        }
        click(w, "frm4_cmdOK");
    });
    EXPECT_EQ(state->settings.filterZ, "");
    EXPECT_TRUE(state->filter.codes().isEmpty());
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(OptionsWindowTest, ModemStandardCommandsAndLineType)
{
    run(Fn::Optionen + 5, [&](OptionsWindow& w) {
        prompter.addAnswer("Ok");
        click(w, "frm15_cmdStandard");
        EXPECT_EQ(lastBox().caption, "Information");
        EXPECT_EQ(lastBox().text, "Standardbefehle für Modemsteuerung eingetragen.");
        EXPECT_EQ(state->settings.modemInitial, ""); // only OK takes them over
        click(w, "frm15_chkAnruf");
        click(w, "frm4_cmdOK");
    });
    const KundeSettings& s = state->settings;
    EXPECT_EQ(s.modemInitial, "ATZ&F");
    EXPECT_EQ(s.modemAnwahl, "ATX3DT0W");
    EXPECT_EQ(s.modemTrennen, "+++ATH");
    EXPECT_EQ(s.modemAnnehmen, "ATA");
    EXPECT_TRUE(s.anruf);

    run(Fn::Optionen + 5, [&](OptionsWindow& w) {
        const QList<QAction*> types = findNamed<QPushButton>(w, "frm15_cmdAuswahl")->menu()->actions();
        ASSERT_EQ(types.size(), 5);
        types[1]->trigger();
        EXPECT_EQ(findNamed<QLineEdit>(w, "frm15_edWahl")->text(), "ATX1DP");
        types[2]->trigger(); // the separator line changes nothing
        EXPECT_EQ(findNamed<QLineEdit>(w, "frm15_edWahl")->text(), "ATX1DP");
    });
}

TEST_F(OptionsWindowTest, DisplayFontAndColoursAreStoredAsTheDisplayReadsThem)
{
    state->settings.schrift = QStringLiteral("|Courier New|10|Falsch|Falsch|Falsch|");
    run(Fn::Optionen + 3, [&](OptionsWindow& w) {
        EXPECT_EQ(findNamed<QLabel>(w, "frm9_lblSchrift")->text(), "Aktuell: Courier New, 10 pt");
        whenShown<QFontDialog>([](QFontDialog& d) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPointSize(14);
            f.setBold(true);
            f.setItalic(true);
            d.setCurrentFont(f);
            d.accept();
        });
        click(w, "frm9_cmdSchrift");
        EXPECT_TRUE(findNamed<QLabel>(w, "frm9_lblSchrift")->text().startsWith("Aktuell: DejaVu Sans, 14 pt, fett, kursiv"));
        whenShown<QColorDialog>([](QColorDialog& d) {
            d.setCurrentColor(QColor(0x12, 0x34, 0x56));
            d.accept();
        });
        click(w, "frm9_cmdFarbeVG");
        whenShown<QColorDialog>([](QColorDialog& d) { d.reject(); });
        click(w, "frm9_cmdFarbeHG");
        click(w, "frm4_cmdOK");
    });
    EXPECT_EQ(state->settings.schrift, "|DejaVu Sans|14|Wahr|Wahr|Falsch|");
    EXPECT_EQ(state->settings.farbeVG, 0x563412); // red in the low byte
    EXPECT_EQ(state->settings.farbeHG, 0);        // cancelled: unchanged
}

TEST_F(OptionsWindowTest, MailKeysAreReadBackByZendor)
{
    run(Fn::Optionen, [&](OptionsWindow& w) {
        EXPECT_EQ(findNamed<QLineEdit>(w, "frmMail_edPasswort")->echoMode(), QLineEdit::Password);
        type(w, "frmMail_edServer", "mail.beispiel.de");
        type(w, "frmMail_edPort", "587");
        findNamed<QComboBox>(w, "frmMail_cbVerschluesselung")->setCurrentIndex(1);
        type(w, "frmMail_edAbsender", "terminal@beispiel.de");
        type(w, "frmMail_edBenutzer", "alarm");
        type(w, "frmMail_edPasswort", "g3h=im;#ö");
        type(w, "frmMail_edZeitlimit", "45");
        click(w, "frm4_cmdOK");
    });
    zendor::MailSettings mail = zendor::MailSettings::load(folders.dataDir());
    EXPECT_EQ(mail.server, "mail.beispiel.de");
    EXPECT_EQ(mail.port, 587);
    EXPECT_EQ(mail.encryption, 1);
    EXPECT_EQ(mail.sender, "terminal@beispiel.de");
    EXPECT_EQ(mail.user, "alarm");
    EXPECT_EQ(mail.password, QStringLiteral("g3h=im;#ö"));
    EXPECT_EQ(mail.timeoutSeconds, 45);

    // Empty port and time limit leave zendor's defaults; the page shows them empty again.
    run(Fn::Optionen, [&](OptionsWindow& w) {
        EXPECT_EQ(findNamed<QLineEdit>(w, "frmMail_edPort")->text(), "587");
        findNamed<QComboBox>(w, "frmMail_cbVerschluesselung")->setCurrentIndex(2);
        type(w, "frmMail_edPort", "");
        type(w, "frmMail_edZeitlimit", "");
        click(w, "frm4_cmdOK");
    });
    mail = zendor::MailSettings::load(folders.dataDir());
    EXPECT_EQ(mail.port, 465);
    EXPECT_EQ(mail.timeoutSeconds, 30);
    run(Fn::Optionen, [&](OptionsWindow& w) { EXPECT_EQ(findNamed<QLineEdit>(w, "frmMail_edPort")->text(), ""); });
}

TEST_F(OptionsWindowTest, OkSwitchesCaptureOffWhenItsFolderIsMissing)
{
    const QString missing = folders.dataDir() + QStringLiteral("fehlt/cap.txt");
    run(Fn::Optionen + 2, [&](OptionsWindow& w) {
        findNamed<QLineEdit>(w, "frm7_edCapture")->setText(missing);
        click(w, "frm7_chkCapture");
        prompter.addAnswer("Ok");
        click(w, "frm4_cmdOK");
        EXPECT_FALSE(w.isVisible());
    });
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(lastBox().caption, "Information");
    EXPECT_TRUE(lastBox().text.startsWith("Capture Datei kann nicht angelegt werden,\rda der Zielordner \r\r"));
    EXPECT_FALSE(state->settings.capture);
    EXPECT_TRUE(readFile(kundeIni()).contains("Capture=0\r\n"));
    EXPECT_EQ(view.changes, 1);
}

} // namespace
