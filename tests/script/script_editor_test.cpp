#include "terminal/display/ui/display_actions.h"
#include "terminal/display/ui/display_view.h"
#include "terminal/script/script_commands.h"
#include "terminal/script/ui/script_editor_dialog.h"
#include "terminal/script/ui/script_highlighter.h"
#include "tests/script/script_fixture.h"
#include "tests/support/find_named.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>

namespace {

class ScriptEditorTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        rig();
        host = std::make_unique<FakeScriptHost>(view);
        display = std::make_unique<DisplayView>();
        actions = std::make_unique<DisplayActions>(rig().context(), display.get());
    }
    void TearDown() override
    {
        dialog.reset();
        EXPECT_TRUE(port.written.isEmpty());
        EXPECT_EQ(prompter.unexpected(), 0);
    }
    ScriptEditorDialog& open(const QString& commands, const QString& name = "Anmeldung")
    {
        dialog = std::make_unique<ScriptEditorDialog>(rig().context(), *actions, *host, name, commands);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        editor = findNamed<QPlainTextEdit>(*dialog, "frm19_rtfScript");
        return *dialog;
    }
    template <typename T>
    T* child(const char* name) const
    {
        return findNamed<T>(*dialog, name);
    }
    QString text(const char* label) const { return child<QLabel>(label)->text(); }
    // The bold ranges the highlighter gave a line.
    QList<std::pair<int, int>> boldRanges(int line) const
    {
        QList<std::pair<int, int>> ranges;
        const QTextBlock block = editor->document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
            if (r.format.fontWeight() == QFont::Bold)
                ranges.append({r.start, r.length});
        }
        return ranges;
    }
    bool marked(int line) const
    {
        const QTextBlock block = editor->document()->findBlockByNumber(line);
        const auto formats = block.layout()->formats();
        return std::any_of(formats.begin(), formats.end(),
                           [](const QTextLayout::FormatRange& r) { return r.format.hasProperty(QTextFormat::BackgroundBrush); });
    }

    std::unique_ptr<FakeScriptHost> host;
    std::unique_ptr<DisplayView> display;
    std::unique_ptr<DisplayActions> actions;
    std::unique_ptr<ScriptEditorDialog> dialog;
    QPlainTextEdit* editor = nullptr;
};

TEST_F(ScriptEditorTest, OpensWithOneCommandPerLine)
{
    open("PAUS 3<>INFO Hallo<>");
    EXPECT_EQ(dialog->objectName(), "frm19");
    EXPECT_EQ(editor->toPlainText(), "PAUS 3\nINFO Hallo");
    EXPECT_EQ(text("frm19_lbl1"), "Script (Anmeldung):");
    EXPECT_EQ(text("frm19_lbl5"), "Befehlszeile: 1   Gesamt: 2");
    EXPECT_EQ(child<QPushButton>("frm19_cmdTesten")->text(), "&Test (1)");
    EXPECT_EQ(dialog->commandText(), "PAUS 3<>INFO Hallo");

    auto* list = child<QListWidget>("frm19_lbPlatzhalter");
    ASSERT_EQ(list->count(), 35);
    EXPECT_EQ(list->item(8)->data(Qt::UserRole).toString(),
              ScriptCommands::referenceEntry(*ScriptCommands::find(u"GOTO")));

    QStringList tips;
    const QList<QAction*> acts = child<QToolBar>("frm19_tb1")->actions();
    for (QAction* a : acts) {
        if (!a->isSeparator())
            tips << a->toolTip();
    }
    EXPECT_EQ(tips, QStringList({"Parameter laden", "Parameter sichern", "Anzeige ausdrucken",
                                 "Anzeige in ZW kopieren", "Anzeige löschen"}));
}

TEST_F(ScriptEditorTest, TypingMovesTheCurrentLineAndItsHighlight)
{
    open("PAUS 3<>Hallo");
    editor->setFocus();
    EXPECT_TRUE(marked(0));
    EXPECT_EQ(boldRanges(0), (QList<std::pair<int, int>>{{0, 4}}));
    EXPECT_TRUE(boldRanges(1).isEmpty());

    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "WAIT 20");
    EXPECT_EQ(text("frm19_lbl5"), "Befehlszeile: 3   Gesamt: 3");
    EXPECT_EQ(child<QPushButton>("frm19_cmdTesten")->text(), "&Test (3)");
    EXPECT_EQ(text("frm19_lblPosition"), "Return: 13 bis 20  Cursor: 20");
    EXPECT_EQ(boldRanges(2), (QList<std::pair<int, int>>{{0, 4}}));
    EXPECT_TRUE(marked(2));
    EXPECT_FALSE(marked(0));

    // Lower case is no keyword.
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "wait 20");
    EXPECT_TRUE(boldRanges(3).isEmpty());

    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(child<QPushButton>("frm19_cmdTesten")->text(), "&Test (2)");
    EXPECT_EQ(dialog->highlighter()->currentLine(), 1);
    EXPECT_EQ(dialog->commandText(), "PAUS 3<>Hallo<>WAIT 20<>wait 20");
}

TEST_F(ScriptEditorTest, HelpPanelFollowsTheLineAndIsKept)
{
    state->settings.dHilfe = false;
    open("GOTO Ende<>Text");
    auto* help = child<QPlainTextEdit>("frm19_rtfHilfe");
    EXPECT_FALSE(help->isVisible());
    auto* box = child<QCheckBox>("frm19_chkHilfe");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->toPlainText(), "Befehl\t: GOTO x\nBedeutung\t: Goto (dt. Gehe zu)\n"
                                   "Erklärung\t: Springt direkt zur Sprungmarke MARK x");
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(help->toPlainText(), "");
    QTest::mouseClick(child<QPushButton>("frm19_cmdAbbrechen"), Qt::LeftButton);
    EXPECT_TRUE(state->settings.dHilfe);
}

TEST_F(ScriptEditorTest, TestButtonExplainsTheCurrentLineOnly)
{
    state->settings.platzhalter[1] = "4";
    open("PADD 1 3<>PAUS 3");
    QTest::keyClick(editor, Qt::Key_Down);
    prompter.addAnswer("Ok");
    QTest::mouseClick(child<QPushButton>("frm19_cmdTesten"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().first().caption, "Information für Befehl PAUS");
    EXPECT_EQ(prompter.records().first().text, "Warte bis nächsten Befehl: 3 Sekunde(n)...");
    EXPECT_EQ(state->settings.platzhalter[1], "4");
    EXPECT_EQ(clock.monotonicMs(), 0);

    QTest::keyClick(editor, Qt::Key_Up);
    prompter.addAnswer("Ok");
    QTest::mouseClick(child<QPushButton>("frm19_cmdTesten"), Qt::LeftButton);
    EXPECT_EQ(prompter.records().last().caption, "Information für den Befehl PADD x y");
    EXPECT_EQ(state->settings.platzhalter[1], "7");
}

TEST_F(ScriptEditorTest, ReferenceDoubleClickInsertsTheKeyword)
{
    open("");
    auto* list = child<QListWidget>("frm19_lbPlatzhalter");
    QListWidgetItem* item = list->item(6);
    ASSERT_EQ(item->data(Qt::UserRole + 1).toString(), "PAUS");
    const QRect rect = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::keyClicks(editor, "5");
    EXPECT_EQ(editor->toPlainText(), "PAUS 5");
    EXPECT_EQ(boldRanges(0), (QList<std::pair<int, int>>{{0, 4}}));
}

TEST_F(ScriptEditorTest, ToolbarLoadsAndClears)
{
    const QString file = folders.anzeigeDir() + "befehle.txt";
    writeFile(file, "INFO Gr\xfc\xdf" "e\r\nPAUS 1\r\n");
    open("A");
    prompter.addAnswers({file});
    child<QToolBar>("frm19_tb1")->actions().first()->trigger();
    EXPECT_EQ(editor->toPlainText(), "INFO Grüße\nPAUS 1A");
    EXPECT_EQ(prompter.fileRequests().last().startDir, folders.anzeigeDir());

    prompter.addAnswers({folders.anzeigeDir() + "bild.doc", "Ok"});
    child<QToolBar>("frm19_tb1")->actions().first()->trigger();
    EXPECT_EQ(prompter.records().last().text, "Die Datei\r\r" + folders.anzeigeDir() + "bild.doc\r\rkann nicht verwendet werden!");

    QAction* clear = findNamed<QAction>(*dialog, "frm19_tbLoeschen");
    prompter.addAnswer("No");
    clear->trigger();
    EXPECT_FALSE(editor->toPlainText().isEmpty());
    prompter.addAnswer("Yes");
    clear->trigger();
    EXPECT_EQ(prompter.records().last().text, "Sollen die aktuellen Befehle gelöscht werden?!");
    EXPECT_TRUE(editor->toPlainText().isEmpty());
}

TEST_F(ScriptEditorTest, AnsehenOpensTheScriptInTheEditor)
{
    const QString quillet = rig().context().programs.path("quillet");
    shell.available.insert(quillet);
    open("PAUS 3<>Hallo");
    QTest::mouseClick(child<QPushButton>("frm19_cmdAnsehen"), Qt::LeftButton);
    const QString file = folders.tempDir() + "bearbeiten.txt";
    EXPECT_EQ(readFile(file), "PAUS 3\r\nHallo\r\n");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.first().target, quillet);
    EXPECT_EQ(shell.calls.first().arguments, QStringList{file});
}

TEST_F(ScriptEditorTest, VeryLongLineStaysWorkable)
{
    const QString longLine = "PAUS 1" + QString(100000, 'x');
    open("Anfang<>" + longLine + "<>Ende");
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, "yz");
    EXPECT_EQ(text("frm19_lbl5"), "Befehlszeile: 2   Gesamt: 3");
    EXPECT_EQ(boldRanges(1), (QList<std::pair<int, int>>{{0, 4}}));
    prompter.addAnswer("Ok");
    QTest::mouseClick(child<QPushButton>("frm19_cmdTesten"), Qt::LeftButton);
    EXPECT_EQ(prompter.records().last().caption, "Information für Befehl PAUS");
    EXPECT_LT(prompter.records().last().text.size(), 1000);
    EXPECT_EQ(dialog->commandText(), "Anfang<>" + longLine + "yz<>Ende");
}

TEST_F(ScriptEditorTest, OkGivesTheTextBackCancelNothing)
{
    rig();
    QWidget parent;
    parent.show();
    QTimer::singleShot(0, [&] {
        auto* d = parent.findChild<ScriptEditorDialog*>("frm19");
        ASSERT_NE(d, nullptr);
        auto* e = findNamed<QPlainTextEdit>(*d, "frm19_rtfScript");
        QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClicks(e, "EXIT");
        QTest::mouseClick(findNamed<QPushButton>(*d, "frm19_cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(ScriptEditorDialog::Scripteditor(rig().context(), *actions, *host, &parent, "Eins", "A<>B<>"),
              std::optional<QString>("A<>B<>EXIT"));

    QTimer::singleShot(0, [&] {
        auto* d = parent.findChild<ScriptEditorDialog*>("frm19");
        ASSERT_NE(d, nullptr);
        QTest::keyClicks(findNamed<QPlainTextEdit>(*d, "frm19_rtfScript"), "X");
        QTest::mouseClick(findNamed<QPushButton>(*d, "frm19_cmdAbbrechen"), Qt::LeftButton);
    });
    EXPECT_EQ(ScriptEditorDialog::Scripteditor(rig().context(), *actions, *host, &parent, "Eins", "A"), std::nullopt);

    QTimer::singleShot(0, [&] { parent.findChild<ScriptEditorDialog*>("frm19")->close(); });
    EXPECT_EQ(ScriptEditorDialog::Scripteditor(rig().context(), *actions, *host, &parent, "Eins", "A"), std::nullopt);
    EXPECT_EQ(parent.findChild<ScriptEditorDialog*>("frm19"), nullptr);
}

} // namespace
