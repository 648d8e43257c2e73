// The conversions and line tools on a real main window: through the menus' actions, the
// dialogs driven through their controls, one undo step each.
#include "tests/quillet/window_rig.h"

#include "quillet/ui/sheet_editor.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QString text16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

void click(QWidget* parent, const char* name)
{
    auto* button = parent->findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types `value` into a spin box as the user would.
void typeInto(QWidget* parent, const char* name, const QString& value)
{
    auto* spin = parent->findChild<QSpinBox*>(QLatin1String(name));
    ASSERT_NE(spin, nullptr) << name;
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, value);
}

class ConvertWindowTest : public ::testing::Test {
protected:
    quillet::MainWindow& window()
    {
        if (!w)
            w = rig.make();
        return *w;
    }

    quillet::SheetEditor& editor() { return *window().currentSheet().editor; }

    // A text of its own in the sheet, nothing to undo.
    void setText(const QString& text)
    {
        editor().setPlainText(text);
        editor().setCaretPosition(0);
    }

    // Chooses the command as the menu entry does: through its action.
    void choose(const char* actionName)
    {
        QAction* action = window().findChild<QAction*>(QLatin1String(actionName));
        ASSERT_NE(action, nullptr) << actionName;
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }

    QString selected() const { return w->currentSheet().editor->selectedText(); }

    WindowRig rig;
    QSettings& own = rig.own;
    ScriptedPrompter& prompter = rig.prompter;
    std::unique_ptr<quillet::MainWindow> w;  // goes before the rig checks the boxes
};

QStringList titles(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions) {
        if (!a->isSeparator())
            out.append(a->text());
    }
    return out;
}

} // namespace

TEST_F(ConvertWindowTest, MenusHoldTheEntriesInOrder)
{
    QMenuBar* bar = window().menuBar();
    const QStringList top = titles(bar->actions());
    ASSERT_GE(top.indexOf(QStringLiteral("&Zeilen")), 0);
    EXPECT_EQ(top.indexOf(QStringLiteral("&Zeilen")), top.indexOf(QStringLiteral("F&ormat")) + 1);
    EXPECT_LT(top.indexOf(QStringLiteral("&Zeilen")), top.indexOf(QStringLiteral("&Extras")));
    auto* convert = window().findChild<QMenu*>(QStringLiteral("mnuUmwandeln"));
    ASSERT_NE(convert, nullptr);
    EXPECT_EQ(titles(convert->actions()),
              (QStringList{"&Ansi zu OEM", "&OEM zu Ansi", "&Groß- zu Kleinbuchstaben", "&Klein- zu Großbuchstaben",
                           "&Invertieren", "&Spiegeln", "&Benutzerdefiniert"}));
    auto* lines = window().findChild<QMenu*>(QStringLiteral("mnuZeilen"));
    EXPECT_EQ(titles(lines->actions()), (QStringList{"&Angleichen", "&Tabulatoren", "&Glätten", "&Sortieren"}));
    EXPECT_EQ(titles(window().findChild<QMenu*>(QStringLiteral("mnuAngleichen"))->actions()),
              (QStringList{"&Blocksatz...", "Mit &Leerzeichen auffüllen..."}));
    EXPECT_EQ(titles(window().findChild<QMenu*>(QStringLiteral("mnuTabulatoren"))->actions()),
              (QStringList{"&Tabulatoren ersetzen...", "&Leerzeichen ersetzen..."}));
    EXPECT_EQ(titles(window().findChild<QMenu*>(QStringLiteral("mnuGlaetten"))->actions()),
              (QStringList{"&Links", "&Rechts", "Links &und Rechts", "Mehr als &zwei Leerzeichen"}));
}

TEST_F(ConvertWindowTest, ConversionsWorkOnTheSelectionOrTheWholeTextAndUndoAtOnce)
{
    setText(QStringLiteral("Hallo Welt\nabc"));
    editor().setSelection(6, 10);
    choose("actGrossbuchstaben");
    EXPECT_EQ(editor().text(), QStringLiteral("Hallo WELT\nabc"));
    EXPECT_EQ(selected(), QStringLiteral("WELT"));
    EXPECT_TRUE(window().currentSheet().isModified());

    // Nothing selected: the whole text, selected afterwards.
    editor().setCaretPosition(3);
    choose("actSpiegeln");
    EXPECT_EQ(editor().text(), QStringLiteral("TLEW ollaH\ncba"));
    EXPECT_EQ(editor().selectionStart(), 0);
    EXPECT_EQ(editor().selectionEnd(), editor().textLength());
    choose("actInvertieren");
    EXPECT_EQ(editor().text(), QStringLiteral("tlew OLLAh\nCBA"));

    choose("actRueckgaengig");
    EXPECT_EQ(editor().text(), QStringLiteral("TLEW ollaH\ncba"));
    choose("actRueckgaengig");
    EXPECT_EQ(editor().text(), QStringLiteral("Hallo WELT\nabc"));
    choose("actRueckgaengig");
    EXPECT_EQ(editor().text(), QStringLiteral("Hallo Welt\nabc"));
    EXPECT_FALSE(editor().isUndoAvailable());

    // A conversion that changes nothing is no edit.
    setText(QStringLiteral("123"));
    choose("actKleinbuchstaben");
    EXPECT_FALSE(editor().isUndoAvailable());
    EXPECT_EQ(selected(), QStringLiteral("123"));

    setText(text16(u"\u00E4rger"));
    choose("actAnsiZuOem");
    EXPECT_EQ(editor().text(), text16(u"\u201Erger"));
    choose("actOemZuAnsi");
    EXPECT_EQ(editor().text(), text16(u"\u00E4rger"));
}

TEST_F(ConvertWindowTest, LineToolsTakeTheLinesOfTheSelectionAndKeepTheBreaks)
{
    setText(QStringLiteral("zeta\ndelta\nBeta\nalpha\n"));
    // From inside "delta" to the very start of "alpha": delta and Beta.
    editor().setSelection(7, 16);
    choose("actSortieren");
    EXPECT_EQ(editor().text(), QStringLiteral("zeta\nBeta\ndelta\nalpha\n"));
    EXPECT_EQ(selected(), QStringLiteral("Beta\ndelta"));
    // Nothing selected: every line; the final break stays at the end.
    editor().setCaretPosition(0);
    choose("actSortieren");
    EXPECT_EQ(editor().text(), QStringLiteral("alpha\nBeta\ndelta\nzeta\n"));
    choose("actRueckgaengig");
    EXPECT_EQ(editor().text(), QStringLiteral("zeta\nBeta\ndelta\nalpha\n"));

    setText(QStringLiteral("  a   b  \nohne\n"));
    choose("actGlaettenMehrfach");
    EXPECT_EQ(editor().text(), QStringLiteral(" a b \nohne\n"));
    choose("actGlaettenBeide");
    EXPECT_EQ(editor().text(), QStringLiteral("a b\nohne\n"));
    editor().setPlainText(QStringLiteral("  x  "));
    choose("actGlaettenLinks");
    EXPECT_EQ(editor().text(), QStringLiteral("x  "));
    choose("actGlaettenRechts");
    EXPECT_EQ(editor().text(), QStringLiteral("x"));
}

TEST_F(ConvertWindowTest, TabDialogsThroughTheirControls)
{
    setText(QStringLiteral("\t\tx\ty\n"));
    onNextDialog([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tabulatoren ersetzen"));
        typeInto(dialog, "spnAnzahl", QStringLiteral("4"));
        click(dialog, "optZeilenanfang");
        click(dialog, "cmdOK");
    });
    choose("actTabulatorenErsetzen");
    EXPECT_EQ(editor().text(), QStringLiteral("        x\ty\n"));

    onNextDialog([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Leerzeichen ersetzen"));
        EXPECT_EQ(dialog->findChild<QSpinBox*>(QStringLiteral("spnAnzahl"))->maximum(), 260);
        typeInto(dialog, "spnAnzahl", QStringLiteral("3"));
        click(dialog, "optGesamteZeile");
        click(dialog, "cmdOK");
    });
    choose("actLeerzeichenErsetzen");
    EXPECT_EQ(editor().text(), QStringLiteral("\t\t  x\ty\n"));

    // Cancel leaves the text.
    onNextDialog([](QWidget* dialog) { click(dialog, "cmdAbbrechen"); });
    choose("actLeerzeichenErsetzen");
    EXPECT_EQ(editor().text(), QStringLiteral("\t\t  x\ty\n"));
}

TEST_F(ConvertWindowTest, WidthDialogsProposeTheLongestLine)
{
    setText(QStringLiteral("ein langer satz\nkurz\n  a b\n"));
    editor().setSelection(16, 25);  // "kurz" and "  a b"
    onNextDialog([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Zeilenlänge angleichen"));
        EXPECT_EQ(dialog->findChild<QSpinBox*>(QStringLiteral("spnAnzahl"))->value(), 5);
        typeInto(dialog, "spnAnzahl", QStringLiteral("6"));
        click(dialog, "cmdOK");
    });
    choose("actAuffuellen");
    EXPECT_EQ(editor().text(), QStringLiteral("ein langer satz\nkurz  \na b   \n"));

    editor().setCaretPosition(0);
    onNextDialog([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Blocksatz"));
        typeInto(dialog, "spnAnzahl", QStringLiteral("3"));
        click(dialog, "chkLaengsteZeile");
        EXPECT_FALSE(dialog->findChild<QSpinBox*>(QStringLiteral("spnAnzahl"))->isEnabled());
        EXPECT_EQ(dialog->findChild<QSpinBox*>(QStringLiteral("spnAnzahl"))->value(), 15);
        click(dialog, "cmdOK");
    });
    choose("actBlocksatz");
    EXPECT_EQ(editor().text(), QStringLiteral("ein langer satz\nkurz\na             b\n"));
    choose("actRueckgaengig");
    EXPECT_EQ(editor().text(), QStringLiteral("ein langer satz\nkurz  \na b   \n"));
}

TEST_F(ConvertWindowTest, UserConversionIsMadeInTheOptionsAndApplied)
{
    own.setValue(QStringLiteral("Conversion/Alt/Description"), QStringLiteral("bleibt"));
    own.setValue(QStringLiteral("Conversion/Alt/Data"), QByteArray("x"));
    onNextDialog([this](QWidget* options) {
        auto* tabs = options->findChild<QTabWidget*>(QStringLiteral("tabSeiten"));
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == QStringLiteral("Umwandlung"))
                tabs->setCurrentIndex(i);
        }
        auto* list = options->findChild<QTreeWidget*>(QStringLiteral("lvUmwandlungen"));
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("bleibt"));
        onNextDialog([](QWidget* edit) {
            EXPECT_EQ(edit->windowTitle(), QStringLiteral("Umwandeln Neu"));
            QTest::keyClicks(edit->findChild<QLineEdit*>(QStringLiteral("edName")), QStringLiteral("Vokale"));
            QTest::keyClicks(edit->findChild<QLineEdit*>(QStringLiteral("edBeschreibung")), QStringLiteral("a zu e"));
            auto* entries = edit->findChild<QListWidget*>(QStringLiteral("lbEintrag"));
            auto* choices = edit->findChild<QListWidget*>(QStringLiteral("lbUmwandeln"));
            ASSERT_EQ(entries->count(), 224);
            EXPECT_EQ(entries->item(0)->text(), QStringLiteral("  \t032\t0x20\t  \t032\t0x20"));
            entries->setCurrentRow('a' - 32);
            EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("lblErsetzen"))->text(), QStringLiteral("a \t097\t0x61"));
            choices->scrollToItem(choices->item('e' - 32));
            QTest::mouseClick(choices->viewport(), Qt::LeftButton, {},
                              choices->visualItemRect(choices->item('e' - 32)).center());
            EXPECT_EQ(entries->item('a' - 32)->text(), QStringLiteral("a \t097\t0x61\te \t101\t0x65"));
            click(edit, "cmdOK");
        });
        click(options, "cmdUmwandlungHinzufuegen");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        // Deleting asks; No keeps it.
        list->setCurrentItem(list->topLevelItem(0));
        prompter.addAnswer(QStringLiteral("No"));
        click(options, "cmdUmwandlungLoeschen");
        EXPECT_EQ(prompter.records().last().caption, QStringLiteral("Umwandlung löschen"));
        EXPECT_EQ(prompter.records().last().text, QStringLiteral("Wollen Sie die Umwandlung \"Alt\" wirklich löschen?"));
        EXPECT_EQ(list->topLevelItemCount(), 2);
        click(options, "cmdOK");
    });
    choose("actOptionen");
    EXPECT_EQ(own.value(QStringLiteral("Conversion/Vokale/Description")).toString(), QStringLiteral("a zu e"));
    EXPECT_EQ(own.value(QStringLiteral("Conversion/Vokale/Data")).toByteArray().size(), 256);
    EXPECT_EQ(own.value(QStringLiteral("Conversion/Alt/Data")).toByteArray(), QByteArray("x"));

    setText(QStringLiteral("banane\nx"));
    onNextDialog([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Benutzerdefiniert"));
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lvUmwandlungen"));
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Name"));
        EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Beschreibung"));
        EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Vokale"));
        list->setCurrentItem(list->topLevelItem(1));
        click(dialog, "cmdOK");
    });
    choose("actBenutzerdefiniert");
    EXPECT_EQ(editor().text(), QStringLiteral("benene\nx"));
}

TEST_F(ConvertWindowTest, NewConversionNeedsAFreeName)
{
    own.setValue(QStringLiteral("Conversion/Alt/Description"), QStringLiteral("da"));
    onNextDialog([this](QWidget* options) {
        onNextDialog([this](QWidget* edit) {
            auto* name = edit->findChild<QLineEdit*>(QStringLiteral("edName"));
            QTest::keyClicks(name, QStringLiteral("alt"));
            prompter.addAnswer(QStringLiteral("Ok"));
            click(edit, "cmdOK");
            EXPECT_TRUE(edit->isVisible());
            name->clear();
            QTest::keyClicks(name, QStringLiteral("a/b"));
            prompter.addAnswer(QStringLiteral("Ok"));
            click(edit, "cmdOK");
            EXPECT_TRUE(edit->isVisible());
            click(edit, "cmdAbbrechen");
        });
        click(options, "cmdUmwandlungHinzufuegen");
        click(options, "cmdAbbrechen");
    });
    choose("actOptionen");
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[0].text, QStringLiteral("Eine Umwandlung mit dem Namen \"alt\" ist bereits vorhanden."));
    EXPECT_EQ(own.value(QStringLiteral("Conversion/Alt/Description")).toString(), QStringLiteral("da"));
}

TEST_F(ConvertWindowTest, TooLargeForUndoAsksFirst)
{
    setText(QStringLiteral("abc\ndef"));
    editor().setUndoBudget(4);
    prompter.addAnswer(QStringLiteral("No"));
    choose("actGrossbuchstaben");
    EXPECT_EQ(editor().text(), QStringLiteral("abc\ndef"));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text,
              QStringLiteral("Die Operation ist zu groß um sie rückgängig machen zu können.\nMöchten Sie fortfahren ohne Rückgängig?"));
    prompter.addAnswer(QStringLiteral("Yes"));
    choose("actGrossbuchstaben");
    EXPECT_EQ(editor().text(), QStringLiteral("ABC\nDEF"));
    EXPECT_FALSE(editor().isUndoAvailable());
    EXPECT_EQ(selected(), QStringLiteral("ABC\nDEF"));
}

TEST_F(ConvertWindowTest, PaddingBeyondTheTextLimitIsRefused)
{
    setText(QStringLiteral("a\nb"));
    editor().setTextLimit(10);
    onNextDialog([](QWidget* dialog) {
        typeInto(dialog, "spnAnzahl", QStringLiteral("20"));
        click(dialog, "cmdOK");
    });
    choose("actAuffuellen");
    EXPECT_EQ(editor().text(), QStringLiteral("a\nb"));
    EXPECT_FALSE(editor().isUndoAvailable());
}

TEST_F(ConvertWindowTest, LargeTextIsSortedOnAWorkerAndUndoneAtOnce)
{
    QString text;
    for (int i = 300000; i > 0; --i)
        text += QString::number(i).rightJustified(6, u'0') + u'\n';
    ASSERT_GT(text.size(), 1000000);
    setText(text);
    bool busyMeanwhile = false;
    bool barShown = false;
    QTimer::singleShot(0, [this, &busyMeanwhile, &barShown] {
        busyMeanwhile = window().isBusy();
        barShown = window().findChild<QWidget*>(QStringLiteral("sbFortschritt"))->isVisibleTo(&window());
    });
    choose("actSortieren");
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_TRUE(barShown);
    EXPECT_FALSE(window().isBusy());
    EXPECT_TRUE(editor().text().startsWith(QStringLiteral("000001\n000002\n")));
    EXPECT_TRUE(editor().text().endsWith(QStringLiteral("300000\n")));
    EXPECT_EQ(editor().textLength(), text.size());
    choose("actRueckgaengig");
    EXPECT_EQ(editor().text(), text);
}
