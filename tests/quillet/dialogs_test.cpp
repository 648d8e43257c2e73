#include "tests/quillet/window_rig.h"

#include "quillet/editor_settings.h"
#include "quillet/ui/find_controller.h"
#include "quillet/ui/go_to_dialog.h"
#include "shared/ui/help_window.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/max_length_dialog.h"
#include "quillet/ui/options_dialog.h"
#include "quillet/ui/sheet_editor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(GoToDialog, OkOnlyForExistingLines)
{
    quillet::GoToDialog dialog(5, 2, nullptr);
    auto* line = dialog.findChild<QLineEdit*>(QStringLiteral("edZeile"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("edAnzahlZeilen"))->text(), QStringLiteral("5"));
    EXPECT_EQ(line->text(), QStringLiteral("2"));
    const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true}, {"5", true}, {"6", false}, {"x", false}, {"", false}};
    for (const auto& [text, enabled] : cases) {
        line->setText(QString::fromUtf8(text));
        EXPECT_EQ(ok->isEnabled(), enabled) << text;
    }
}

TEST(MaxLengthDialog, RefusesValuesOutsideTheRange)
{
    ScriptedPrompter prompter;
    quillet::MaxLengthDialog dialog(512, 1000, prompter, nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblAnzahl"))->text(), QStringLiteral("512 Byte"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblProzent"))->text(), QStringLiteral("51%"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblMoeglich"))->text(), QStringLiteral("256.00 MB"));
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("edMaxAnzahl"));
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkMaximum"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(field->isEnabled());
    field->setText(QStringLiteral("268435456"));
    prompter.addAnswer(QStringLiteral("Ok"));
    dialog.accept();
    EXPECT_EQ(prompter.records().last().text, QStringLiteral("Sie können nur einen Wert zwischen 1 und 268435455 eingeben."));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    field->setText(QStringLiteral("2048"));
    dialog.accept();
    EXPECT_EQ(dialog.limit(), 2048);
    box->setChecked(true);
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(dialog.limit(), quillet::EditorSettings::kMaxTextLimit);
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST(OptionsDialog, OkWritesTheValuesAndTheWindowAppliesThem)
{
    WindowRig rig;
    rig.own.setValue(QStringLiteral("fSaveWindowPositions"), 1);
    rig.own.setValue(QStringLiteral("iWindowPosX"), 40);
    auto made = rig.make();
    quillet::MainWindow& window = *made;
    QSettings& own = rig.own;

    onNextDialog([](QWidget* dialog) {
        auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("tabSeiten"));
        QStringList pages;
        for (int i = 0; i < tabs->count(); ++i)
            pages.append(tabs->tabText(i));
        EXPECT_EQ(pages, (QStringList{"Allgemein", "Datei", "Email", "Dateierweiterung", "Umwandlung", "Register",
                                      "Benutzermenü"}));
        dialog->findChild<QCheckBox*>(QStringLiteral("chkFensterSichern"))->setChecked(false);
        dialog->findChild<QCheckBox*>(QStringLiteral("chkMaxZeichen"))->setChecked(false);
        dialog->findChild<QLineEdit*>(QStringLiteral("edMaxZeichen"))->setText(QStringLiteral("500"));
        dialog->findChild<QSpinBox*>(QStringLiteral("spnMinuten"))->setValue(9);
        dialog->findChild<QLineEdit*>(QStringLiteral("edEmailName"))->setText(QStringLiteral("Support"));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("actOptionen"))->trigger();

    EXPECT_FALSE(own.contains(QStringLiteral("iWindowPosX")));
    EXPECT_EQ(own.value(QStringLiteral("fSaveWindowPositions")).toInt(), 0);
    EXPECT_EQ(own.value(QStringLiteral("iMaxCount")).toInt(), 500);
    EXPECT_EQ(own.value(QStringLiteral("vAutoSaveMinutes")).toInt(), 9);
    EXPECT_EQ(own.value(QStringLiteral("fEmailName")).toString(), QStringLiteral("Support"));
    EXPECT_EQ(window.currentSheet().editor->textLimit(), 500);
    EXPECT_EQ(window.backupTimer()->interval(), 9 * 60000);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("sbLimit"))->text(), QStringLiteral("500 Byte"));
}

TEST(OptionsDialog, DeletingAFileTypeAsks)
{
    ScriptedPrompter prompter;
    quillet::OptionsValues values;
    values.fileTypes = {{QStringLiteral("Text"), QStringLiteral("*.txt")}, {QStringLiteral("Log"), QStringLiteral("*.log")}};
    quillet::OptionsDialog dialog(values, prompter, nullptr);
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lvErweiterungen"));
    list->setCurrentItem(list->topLevelItem(1));
    prompter.addAnswer(QStringLiteral("No"));
    dialog.findChild<QPushButton*>(QStringLiteral("cmdLoeschen"))->click();
    EXPECT_EQ(dialog.values().fileTypes.size(), 2);
    EXPECT_EQ(prompter.records().last().caption, QStringLiteral("Erweiterung löschen"));
    EXPECT_EQ(prompter.records().last().text, QStringLiteral("Wollen Sie die Dateierweiterung \"Log\" wirklich löschen?"));
    prompter.addAnswer(QStringLiteral("Yes"));
    dialog.findChild<QPushButton*>(QStringLiteral("cmdLoeschen"))->click();
    ASSERT_EQ(dialog.values().fileTypes.size(), 1);
    EXPECT_EQ(dialog.values().fileTypes[0].description, QStringLiteral("Text"));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST(FindDialog, PresetFromSelectionAndOneDialogAtATime)
{
    WindowRig rig;
    auto made = rig.make();
    quillet::MainWindow& window = *made;
    quillet::SheetEditor* editor = window.currentSheet().editor;
    editor->setPlainText(QStringLiteral("zwei Worte\nund mehr"));
    editor->setSelection(0, 12);
    window.findChild<QAction*>(QStringLiteral("actSuchen"))->trigger();
    quillet::FindDialog* dialog = window.find().dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("edSuchen"))->text(), QStringLiteral("zwei"));
    window.findChild<QAction*>(QStringLiteral("actErsetzen"))->trigger();
    EXPECT_EQ(window.find().dialog(), dialog);  // the open dialog only gets the focus

    // Replace with match case on: the selection differing only in case is still replaced.
    dialog->close();
    QApplication::processEvents();
    editor->setPlainText(QStringLiteral("HALLO hallo"));
    editor->setSelection(0, 5);
    window.findChild<QAction*>(QStringLiteral("actErsetzen"))->trigger();
    quillet::FindDialog* replace = window.find().dialog();
    ASSERT_NE(replace, nullptr);
    replace->findChild<QLineEdit*>(QStringLiteral("edSuchen"))->setText(QStringLiteral("hallo"));
    replace->findChild<QLineEdit*>(QStringLiteral("edErsetzen"))->setText(QStringLiteral("Tag"));
    replace->findChild<QCheckBox*>(QStringLiteral("chkGrossKlein"))->setChecked(true);
    replace->findChild<QPushButton*>(QStringLiteral("cmdErsetzen"))->click();
    EXPECT_EQ(editor->rawText(), QStringLiteral("Tag hallo"));
    replace->findChild<QPushButton*>(QStringLiteral("cmdAllesErsetzen"))->click();
    EXPECT_EQ(editor->rawText(), QStringLiteral("Tag Tag"));
}

TEST(HelpWindow, F1ShowsTheTopicsAndTheIndexFindsByKeyword)
{
    WindowRig rig;
    ScriptedPrompter& prompter = rig.prompter;
    quillet::MainWindow::Config& config = rig.config;
    config.helpFilePath = rig.dir.filePath(QStringLiteral("fehlt.hlp"));
    {
        auto made = rig.make();
        quillet::MainWindow& window = *made;
        prompter.addAnswer(QStringLiteral("Ok"));
        window.findChild<QAction*>(QStringLiteral("actHilfethemen"))->trigger();
        ASSERT_EQ(prompter.records().size(), 1);
        EXPECT_TRUE(prompter.records()[0].text.startsWith(
            QStringLiteral("Die Hilfedatei \"%1\" kann nicht geöffnet werden.").arg(QDir::toNativeSeparators(config.helpFilePath))));
        EXPECT_EQ(window.helpWindow(), nullptr);
    }

    config.helpFilePath = QStringLiteral(QUILLET_SOURCE_DIR "/help/quillet.hlp");
    auto made = rig.make();
    quillet::MainWindow& window = *made;
    QAction* topics = window.findChild<QAction*>(QStringLiteral("actHilfethemen"));
    EXPECT_EQ(topics->shortcut(), QKeySequence(Qt::Key_F1));
    topics->trigger();
    HelpWindow* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->currentTopic(), QStringLiteral("blaetter"));

    window.findChild<QAction*>(QStringLiteral("actInhaltIndex"))->trigger();
    EXPECT_EQ(window.helpWindow(), help);  // one help window
    auto* filter = help->findChild<QLineEdit*>(QStringLiteral("edIndex"));
    auto* list = help->findChild<QListWidget*>(QStringLiteral("lstIndex"));
    ASSERT_TRUE(filter && list);
    filter->setText(QStringLiteral("alles er"));
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Alles ersetzen"));
    EXPECT_EQ(help->currentTopic(), QStringLiteral("suchen"));
    filter->setText(QStringLiteral("gibt es nicht"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(prompter.answersLeft() == 0);
}
