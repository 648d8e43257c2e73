#include "shared/platform/scripted_prompter.h"
#include "tests/support/fake_shell.h"

#include "quillet/editor_settings.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/find_controller.h"
#include "quillet/ui/find_dialog.h"
#include "quillet/ui/sheet_editor.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>
#include <QTabBar>
#include <QDir>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include "quillet/instance_file.h"
#include <QTimer>
#include <gtest/gtest.h>

using quillet::MainWindow;
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        own = std::make_unique<QSettings>(dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat);
        shared = std::make_unique<QSettings>(dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat);
        settings = std::make_unique<quillet::EditorSettings>(*own, *shared);
    }

    // Every box must have had its answer queued.
    void TearDown() override
    {
        w.reset();
        EXPECT_EQ(prompter.unexpected(), 0)
            << (prompter.records().isEmpty() ? std::string() : prompter.records().last().text.toStdString());
    }

    MainWindow::Config config()
    {
        MainWindow::Config config;
        config.instanceFilePath = dir.filePath(QStringLiteral("quillet.tmp"));
        config.tempFolder = dir.path();
        config.ownKey = QStringLiteral("1");
        return config;
    }

    MainWindow& window()
    {
        if (!w)
            w = std::make_unique<MainWindow>(prompter, shell, *settings, config());
        return *w;
    }

    // One run of the program as far as the settings go: start, show, close.
    void runOnce()
    {
        MainWindow run(prompter, shell, *settings, config());
        run.restoreWindowRect();
        run.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&run));
        ASSERT_TRUE(run.close());
        own->sync();
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QByteArray read(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    void trigger(const char* action) { window().findChild<QAction*>(QLatin1String(action))->trigger(); }
    QString status(const char* part) { return window().findChild<QLabel*>(QLatin1String(part))->text(); }
    void type(const QString& text)
    {
        window().currentSheet().editor->insertPlainText(text);
    }
    bool closeWindow() { return window().close(); }

    // Shows the window, opens the find dialog with Ctrl+F and types the search text.
    quillet::FindDialog* openFindDialog(const QString& search)
    {
        window().show();
        window().activateWindow();
        if (!QTest::qWaitForWindowActive(&window()))
            return nullptr;
        QTest::keyClick(&window(), Qt::Key_F, Qt::ControlModifier);
        quillet::FindDialog* dialog = window().find().dialog();
        if (dialog)
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edSuchen")), search);
        return dialog;
    }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> own;
    std::unique_ptr<QSettings> shared;
    std::unique_ptr<quillet::EditorSettings> settings;
    ScriptedPrompter prompter;
    FakeShell shell;
    std::unique_ptr<MainWindow> w;
};

} // namespace

TEST_F(MainWindowTest, StartsWithCaptionOneSheetAndEmptyStatus)
{
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Quillet V-3.1c"));
    ASSERT_EQ(window().sheetCount(), 1);
    EXPECT_EQ(window().sheetAt(0).label, QStringLiteral("Unbenannt 1"));
    EXPECT_EQ(status("sbLaenge"), QStringLiteral("0"));
    EXPECT_EQ(status("sbLimit"), QStringLiteral("0"));
    EXPECT_EQ(status("sbFuellstand"), QStringLiteral("0%"));
    type(QStringLiteral("ab\ncd"));
    EXPECT_EQ(status("sbLaenge"), QStringLiteral("5 Byte"));
    EXPECT_EQ(status("sbLimit"), QStringLiteral("256.00 MB"));
    EXPECT_EQ(status("sbZeile"), QStringLiteral("Ze 2"));
    EXPECT_EQ(status("sbSpalte"), QStringLiteral("Sp 3"));
    EXPECT_EQ(status("sbGespeichert"), QStringLiteral("Nicht gespeichert"));
    QTest::keyClick(window().currentSheet().editor, Qt::Key_Insert);
    EXPECT_EQ(status("sbModus"), QStringLiteral("Überschreiben"));
    EXPECT_TRUE(window().currentSheet().editor->overwriteMode());
    trigger("actZeilenumbruch");
    EXPECT_EQ(status("sbUmbruch"), QStringLiteral("Zeilenumbruch"));
}

TEST_F(MainWindowTest, MenusHoldExactlyTheEntriesOfThisEditor)
{
    QStringList menus;
    for (QAction* a : window().menuBar()->actions())
        menus.append(a->text());
    EXPECT_EQ(menus, (QStringList{"&Datei", "&Bearbeiten", "&Suchen", "F&ormat", "&Zeilen", "&Benutzer", "&Extras", "&?"}));
    QStringList file;
    for (QAction* a : window().findChild<QMenu*>(QStringLiteral("mnuDatei"))->actions())
        if (!a->isSeparator())
            file.append(a->text());
    EXPECT_EQ(file, (QStringList{"&Neu\tStrg+N", "Neues Bla&tt\tAlt+Einfg", "Ö&ffnen...\tStrg+O", "&Speichern\tStrg+S",
                                 "Speichern &unter...\tF2", "Alle Spei&chern", "Alle Speic&hern unter...",
                                 "Blatt &löschen\tAlt+Entf", "S&enden...", "Seite ein&richten...",
                                 "&Drucken...\tStrg+P", "&Beenden"}));
    EXPECT_EQ(window().findChild<QAction*>(QStringLiteral("actSpeichern"))->statusTip(),
              QStringLiteral("Speichert das aktuelle Dokument."));
    EXPECT_EQ(window().findChild<QAction*>(QStringLiteral("actRueckgaengig"))->shortcuts().size(), 2);
}

TEST_F(MainWindowTest, CommandsAreReachableByNumberWhileAvailable)
{
    const quillet::ActionTable& actions = window().actions();
    EXPECT_EQ(actions.action(quillet::cmd::Save)->objectName(), QStringLiteral("actSpeichern"));
    EXPECT_EQ(actions.action(quillet::cmd::Info)->objectName(), QStringLiteral("actInfo"));
    EXPECT_EQ(actions.action(quillet::cmd::kFirstUserCommand), nullptr);

    EXPECT_TRUE(actions.trigger(quillet::cmd::NewSheet));
    EXPECT_EQ(window().sheetCount(), 2);
    EXPECT_FALSE(actions.trigger(quillet::cmd::Copy)) << "nothing selected";
    type(QStringLiteral("abc"));
    trigger("actAllesMarkieren");
    EXPECT_TRUE(actions.trigger(quillet::cmd::Cut));
    EXPECT_TRUE(window().currentSheet().editor->text().isEmpty());
    EXPECT_FALSE(actions.trigger(12345));
}

TEST_F(MainWindowTest, UnnamedLabelsTakeTheLowestFreeNumber)
{
    trigger("actNeuesBlatt");
    trigger("actNeuesBlatt");
    EXPECT_EQ(window().sheetAt(2).label, QStringLiteral("Unbenannt 3"));
    window().setCurrentIndex(0);
    trigger("actBlattLoeschen");  // empty and unchanged: no question
    ASSERT_EQ(window().sheetCount(), 2);
    trigger("actNeuesBlatt");
    EXPECT_EQ(window().currentSheet().label, QStringLiteral("Unbenannt 1"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral(" Unbenannt 1 - Quillet"));
}

TEST_F(MainWindowTest, OpeningReusesAnUntouchedUnnamedSheetOnly)
{
    const QString a = file(QStringLiteral("a.txt"), "eins\r\n");
    const QString b = file(QStringLiteral("b.csv"), "zwei");
    ASSERT_TRUE(window().openFile(a));
    EXPECT_EQ(window().sheetCount(), 1);
    EXPECT_EQ(window().windowTitle(), QStringLiteral(" a - Quillet"));
    ASSERT_TRUE(window().openFile(b, quillet::CommandLine::Mode::CaretToEnd));
    EXPECT_EQ(window().sheetCount(), 2);
    EXPECT_EQ(window().windowTitle(), QStringLiteral(" b.csv - Quillet"));
    EXPECT_EQ(window().currentSheet().editor->caretPosition(), 4);
    EXPECT_EQ(window().recentFiles().first(), QFileInfo(b).absoluteFilePath());
}

TEST_F(MainWindowTest, OpeningTheSameNameAgainAsksFirst)
{
    const QString a = file(QStringLiteral("a.txt"), "eins");
    ASSERT_TRUE(window().openFile(a));
    type(QStringLiteral("x"));
    prompter.addAnswer(QStringLiteral("No"));
    EXPECT_FALSE(window().openFile(a));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text,
              QStringLiteral("Die Datei \"a.txt\" ist bereits geöffnet!\r\rWollen Sie die Datei erneut öffnen?"));
    // Yes reloads into that sheet after its own save question.
    prompter.addAnswer(QStringLiteral("Yes"));
    prompter.addAnswer(QStringLiteral("No"));
    EXPECT_TRUE(window().openFile(a));
    EXPECT_EQ(window().sheetCount(), 1);
    EXPECT_EQ(window().currentSheet().editor->rawText(), QStringLiteral("eins"));
}

TEST_F(MainWindowTest, CloseAsksForEveryChangedSheet)
{
    const QString a = file(QStringLiteral("a.txt"), "alt");
    ASSERT_TRUE(window().openFile(a));
    type(QStringLiteral("neu "));
    prompter.addAnswer(QStringLiteral("Cancel"));
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("Der Text in der Datei \"%1\" wurde verändert.\n\nAktuelle Änderungen speichern?")
                  .arg(QFileInfo(a).absoluteFilePath()));
    EXPECT_EQ(prompter.records().last().buttons, QStringLiteral("YesNoCancel"));
    EXPECT_EQ(prompter.records().last().icon, QStringLiteral("Warning"));
    prompter.addAnswer(QStringLiteral("Yes"));
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(read(a), QByteArray("neu alt"));
    // Settings written at close.
    own->sync();
    EXPECT_EQ(own->value(QStringLiteral("fFiles0")).toString(), QFileInfo(a).absoluteFilePath());
    EXPECT_EQ(own->value(QStringLiteral("lfWeight")).toInt(), 400);
    EXPECT_TRUE(own->contains(QStringLiteral("iPointSize")));
}

TEST_F(MainWindowTest, UnnamedSheetYesAsksForANameAndCancelKeepsTheWindow)
{
    type(QStringLiteral("Notiz"));
    prompter.addAnswer(QStringLiteral("Yes"));
    prompter.addAnswer(QStringLiteral("<cancel>"));
    EXPECT_FALSE(closeWindow());
    const QString target = dir.filePath(QStringLiteral("notiz.txt"));
    prompter.addAnswer(QStringLiteral("Yes"));
    prompter.addAnswer(target);
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(read(target), QByteArray("Notiz"));
    EXPECT_EQ(prompter.fileRequests().last().defaultExtension, QStringLiteral("txt"));
}

TEST_F(MainWindowTest, FileDialogsOfferTheFileTypesAndSwitchTheExtension)
{
    prompter.addAnswer(QStringLiteral("<cancel>"));
    trigger("actOeffnen");
    ASSERT_EQ(prompter.fileRequests().size(), 1);
    const FileDialogRequest& request = prompter.fileRequests().last();
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_TRUE(request.filter.startsWith(QStringLiteral("Textdateien (*.txt);;Konfigurationseinstellungen (*.ini);;")));
    ASSERT_TRUE(request.renameForFilter);
    EXPECT_EQ(request.renameForFilter(QStringLiteral("notiz.txt"), 2), QStringLiteral("notiz.ini"));
    EXPECT_EQ(request.renameForFilter(QStringLiteral("notiz.txt"), 6), QStringLiteral("notiz.txt"));  // "*.*"
    EXPECT_EQ(request.renameForFilter(QStringLiteral("notiz.txt"), 99), QStringLiteral("notiz.txt"));
}

TEST_F(MainWindowTest, WebEntriesOpenTheirAddressesThroughTheShell)
{
    trigger("actWebQuillet");
    trigger("actSupportMail");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].what, QStringLiteral("url"));
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("https://www.kavimor.de/quillet/"));
    EXPECT_TRUE(shell.calls[1].target.startsWith(QStringLiteral("mailto:support@kavimor.de")));
}

TEST_F(MainWindowTest, DeletingAChangedSheetAsks)
{
    trigger("actNeuesBlatt");
    type(QStringLiteral("x"));
    prompter.addAnswer(QStringLiteral("Cancel"));
    trigger("actBlattLoeschen");
    EXPECT_EQ(window().sheetCount(), 2);
    prompter.addAnswer(QStringLiteral("No"));
    trigger("actBlattLoeschen");
    EXPECT_EQ(window().sheetCount(), 1);
    EXPECT_TRUE(prompter.answersLeft() == 0);
}

TEST_F(MainWindowTest, RecentFileLoadsIntoTheCurrentSheetOrReportsItMissing)
{
    const QString a = file(QStringLiteral("a.txt"), "A");
    const QString b = file(QStringLiteral("b.txt"), "B");
    window().openFile(a);
    window().openFile(b);
    EXPECT_EQ(window().recentFiles(), (QStringList{QFileInfo(b).absoluteFilePath(), QFileInfo(a).absoluteFilePath()}));
    type(QStringLiteral("geändert "));
    prompter.addAnswer(QStringLiteral("No"));
    trigger("actZuletzt1");  // a.txt into the current sheet
    EXPECT_EQ(window().sheetCount(), 2);
    EXPECT_EQ(window().currentSheet().editor->rawText(), QStringLiteral("A"));
    EXPECT_EQ(window().recentFiles().first(), QFileInfo(a).absoluteFilePath());

    QFile::remove(b);
    prompter.addAnswer(QStringLiteral("Ok"));
    prompter.addAnswer(QStringLiteral("<cancel>"));
    trigger("actZuletzt1");
    ASSERT_GE(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[prompter.records().size() - 2].text,
              QStringLiteral("Quillet kann die Datei \"%1\" nicht finden").arg(QFileInfo(b).absoluteFilePath()));
    EXPECT_EQ(prompter.records().last().kind, QStringLiteral("open"));
}

TEST_F(MainWindowTest, FilesBeyondTheTextLimitAreNotLoaded)
{
    own->setValue(QStringLiteral("fMaxText"), 0);
    own->setValue(QStringLiteral("iMaxCount"), 10);
    const QString big = file(QStringLiteral("big.txt"), QByteArray(20, 'x'));
    prompter.addAnswer(QStringLiteral("Ok"));
    EXPECT_FALSE(window().openFile(big));
    EXPECT_TRUE(prompter.records().last().text.contains(QStringLiteral("maximale Textlänge")));
    EXPECT_TRUE(window().currentSheet().isUnnamed());
    // Typing stops at the limit.
    QTest::keyClicks(window().currentSheet().editor, QStringLiteral("123456789012"));
    EXPECT_EQ(window().currentSheet().editor->rawText(), QStringLiteral("1234567890"));
}

TEST_F(MainWindowTest, EncodingIsKeptAndUnencodableCharactersAsk)
{
    const QString utf8 = file(QStringLiteral("u.txt"), "\xC3\xA4\n");
    const QString ansi = file(QStringLiteral("w.txt"), "\xE4\r\n");
    window().openFile(utf8);
    EXPECT_EQ(status("sbKodierung"), QStringLiteral("UTF-8"));
    type(QStringLiteral("\u2192"));
    trigger("actSpeichern");
    EXPECT_EQ(read(utf8), QByteArray("\xE2\x86\x92\xC3\xA4\n"));

    window().openFile(ansi);
    EXPECT_EQ(status("sbKodierung"), QStringLiteral("ANSI"));
    type(QStringLiteral("\u2192"));
    prompter.addAnswer(QStringLiteral("Cancel"));
    trigger("actSpeichern");
    EXPECT_EQ(read(ansi), QByteArray("\xE4\r\n"));
    prompter.addAnswer(QStringLiteral("Yes"));
    trigger("actSpeichern");
    EXPECT_EQ(read(ansi), QByteArray("\xE2\x86\x92\xC3\xA4\r\n"));
}

TEST_F(MainWindowTest, SearchDialogueAsksAtTheEndAndReportsTheEnd)
{
    const QString a = file(QStringLiteral("a.txt"), "Wort oben\r\nunten\r\n");
    window().openFile(a, quillet::CommandLine::Mode::CaretToEnd);
    auto& engine = window().find().engine();
    engine.setSearchText(QStringLiteral("wort"));
    engine.markNewSearch();
    prompter.addAnswer(QStringLiteral("Yes"));
    trigger("actWeitersuchen");
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("Die Suche nach \"wort\" ist am Ende des Dokuments angelangt.\rSoll vom Anfang weiter gesucht werden?"));
    EXPECT_EQ(window().currentSheet().editor->selectedText(), QStringLiteral("Wort"));
    prompter.addAnswer(QStringLiteral("Ok"));
    trigger("actWeitersuchen");
    EXPECT_EQ(prompter.records().last().text, QStringLiteral("Die Suche nach \"wort\" ist beendet."));
    EXPECT_TRUE(prompter.answersLeft() == 0);
}

TEST_F(MainWindowTest, LargeReplaceAllRunsInTheBackgroundAsOneEdit)
{
    QString text;
    for (int i = 0; i < 120000; ++i)
        text += QStringLiteral("ab cd\n");
    window().currentSheet().editor->setPlainText(text);
    auto& find = window().find();
    find.engine().setSearchText(QStringLiteral("cd"));
    find.engine().setReplaceText(QStringLiteral("xyz"));
    QSignalSpy done(&find, &quillet::FindController::backgroundReplaceFinished);
    find.replaceAllInBackground(window().currentSheet().editor);
    EXPECT_TRUE(window().isBusy());
    ASSERT_TRUE(done.wait(60000));
    EXPECT_FALSE(window().isBusy());
    EXPECT_EQ(done.first().first().value<qsizetype>(), 120000);
    const QString result = window().currentSheet().editor->rawText();
    EXPECT_EQ(result.count(QStringLiteral("ab xyz\n")), 120000);
    window().currentSheet().editor->undo();
    EXPECT_EQ(window().currentSheet().editor->rawText(), text);
}

TEST_F(MainWindowTest, BackupTimerWritesAndCloseRemovesTheBackup)
{
    window().backupTimer()->setInterval(1);
    type(QStringLiteral("ungesichert"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window().backup().backupPath().isEmpty(); }, 30000));
    const QString backup = window().backup().backupPath();
    EXPECT_TRUE(QFile::exists(backup));
    quillet::InstanceFile instance(dir.filePath(QStringLiteral("quillet.tmp")));
    EXPECT_EQ(instance.entries().value(QStringLiteral("1")), backup);
    prompter.addAnswer(QStringLiteral("No"));
    EXPECT_TRUE(closeWindow());
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_TRUE(instance.entries().isEmpty());
}

TEST_F(MainWindowTest, OrphanedBackupIsOfferedAndRestoredAsChangedText)
{
    quillet::InstanceFile instance(dir.filePath(QStringLiteral("quillet.tmp")));
    const QString backup = file(QStringLiteral("quillet-abc.bak"), "Gerettet \xC3\xA4");
    instance.set(QStringLiteral("999999999"), backup);  // no such process
    prompter.addAnswer(QStringLiteral("Ok"));
    window().recoverBackups();
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("Quillet konnte beim letzten Aufruf nicht korrekt beendet werden.\nEs wurde eine "
                             "Sicherungsdatei erstellt, wollen Sie diese jetzt laden?"));
    EXPECT_EQ(prompter.records().last().buttons, QStringLiteral("OkCancel"));
    EXPECT_EQ(window().currentSheet().editor->rawText(), QStringLiteral("Gerettet \u00E4"));
    EXPECT_TRUE(window().currentSheet().isModified());
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_TRUE(instance.entries().isEmpty());
}

TEST_F(MainWindowTest, EndFromOutsideKeepsEveryUnsavedSheetForTheNextStart)
{
    type(QStringLiteral("erstes Blatt"));
    trigger("actNeuesBlatt");  // unchanged: nothing to keep
    trigger("actNeuesBlatt");
    type(QStringLiteral("drittes Blatt"));
    window().endKeepingUnsavedText();
    EXPECT_EQ(prompter.records().size(), 0);
    const QString instancePath = dir.filePath(QStringLiteral("quillet.tmp"));
    EXPECT_EQ(quillet::InstanceFile(instancePath).entries().size(), 2);

    // Another editor, started later, offers both texts, each into a sheet of its own.
    MainWindow::Config later = config();
    later.ownKey = QStringLiteral("2");
    auto next = std::make_unique<MainWindow>(prompter, shell, *settings, later);
    prompter.addAnswer(QStringLiteral("Ok"));
    prompter.addAnswer(QStringLiteral("Ok"));
    next->recoverBackups();
    QStringList texts;
    for (int i = 0; i < next->sheetCount(); ++i)
        texts.append(next->sheetAt(i).editor->rawText());
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("drittes Blatt"), QStringLiteral("erstes Blatt")}));
    EXPECT_TRUE(quillet::InstanceFile(instancePath).entries().isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("quillet-*.bak")}).isEmpty());
}

TEST_F(MainWindowTest, VeryLongLinesKeepWordWrapAndStayEditable)
{
    own->setValue(QStringLiteral("fWrap"), 1);
    const QString path = file(QStringLiteral("lang.txt"), QByteArray(2000000, 'a') + "\r\nkurz");
    ASSERT_TRUE(window().openFile(path, quillet::CommandLine::Mode::CaretToEnd));
    quillet::SheetEditor* editor = window().currentSheet().editor;
    EXPECT_TRUE(editor->wordWrap());
    QTest::keyClicks(editor, QStringLiteral("!"));
    EXPECT_TRUE(editor->rawText().endsWith(QStringLiteral("kurz!")));
    // Into the middle of the long line and back out again.
    editor->setCaretPosition(1000000);
    QTest::keyClick(editor, Qt::Key_B);
    EXPECT_EQ(editor->rawText().mid(999999, 3), QStringLiteral("aba"));
    trigger("actZeilenumbruch");
    EXPECT_FALSE(editor->wordWrap());
    EXPECT_FALSE(window().findChild<QAction*>(QStringLiteral("actZeilenumbruch"))->isChecked());
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->rawText().size(), 2000000 + 1 + 5);
    EXPECT_TRUE(prompter.records().isEmpty());
}

TEST_F(MainWindowTest, LargeFileIsEditableAtOnceAndSavesByteExact)
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "Zeile " + QByteArray::number(i).rightJustified(6, '0') + " " + QByteArray(34, 'x') + "\r\n";
    bytes += "\xE4nde";
    const QString path = file(QStringLiteral("gross.txt"), bytes);
    ASSERT_GT(bytes.size(), MainWindow::kBackgroundRead);
    // The file is read on a worker: the window goes on handling events, in the busy state.
    bool busyMeanwhile = false;
    QTimer::singleShot(0, [this, &busyMeanwhile] { busyMeanwhile = window().isBusy(); });
    ASSERT_TRUE(window().openFile(path, quillet::CommandLine::Mode::CaretToEnd));
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(window().isBusy());
    quillet::Sheet& sheet = window().currentSheet();
    EXPECT_FALSE(sheet.editor->isReadOnly());
    EXPECT_FALSE(sheet.isModified());
    EXPECT_FALSE(sheet.editor->isUndoAvailable());
    EXPECT_EQ(sheet.editor->caretPosition(), sheet.editor->textLength());
    EXPECT_EQ(status("sbZeile"), QStringLiteral("Ze 100001"));
    EXPECT_EQ(status("sbSpalte"), QStringLiteral("Sp 5"));
    QTest::keyClick(sheet.editor, Qt::Key_X);
    QTest::keyClick(sheet.editor, Qt::Key_Backspace);
    trigger("actSpeichern");
    EXPECT_EQ(read(path), bytes);
}

TEST_F(MainWindowTest, DropOpensTheFirstExistingFile)
{
    const QString second = file(QStringLiteral("zwei.txt"), "zweite");
    window().openDropped({QUrl::fromLocalFile(dir.filePath(QStringLiteral("eins.txt"))), QUrl::fromLocalFile(second),
                          QUrl::fromLocalFile(dir.filePath(QStringLiteral("drei.txt")))});
    EXPECT_EQ(window().currentSheet().label, QStringLiteral("zwei.txt"));
    EXPECT_EQ(window().currentSheet().editor->rawText(), QStringLiteral("zweite"));
}

TEST_F(MainWindowTest, NewAndSaveAll)
{
    const QString a = file(QStringLiteral("a.txt"), "A");
    window().openFile(a);
    type(QStringLiteral("1"));
    trigger("actNeuesBlatt");
    type(QStringLiteral("2"));
    const QString b = dir.filePath(QStringLiteral("b.txt"));
    prompter.addAnswer(b);  // the unnamed sheet asks for its name
    trigger("actAlleSpeichern");
    EXPECT_EQ(read(a), QByteArray("1A"));
    EXPECT_EQ(read(b), QByteArray("2"));
    EXPECT_EQ(window().currentSheet().label, QStringLiteral("b.txt"));  // back on the sheet it started from

    window().setCurrentIndex(1);
    type(QStringLiteral("3"));
    prompter.addAnswer(QStringLiteral("No"));
    trigger("actNeu");
    EXPECT_TRUE(window().currentSheet().isUnnamed());
    EXPECT_TRUE(window().currentSheet().isEmpty());
    EXPECT_EQ(window().currentSheet().label, QStringLiteral("Unbenannt 1"));
    EXPECT_EQ(read(b), QByteArray("2"));
    EXPECT_TRUE(prompter.answersLeft() == 0);
}

TEST_F(MainWindowTest, BinaryFileSurvivesOpenAndSaveInTheEditor)
{
    QByteArray bytes;
    quint32 x = 12345;
    for (int i = 0; i < 65536; ++i) {
        x = x * 1103515245u + 12345u;
        bytes.append(static_cast<char>(x >> 24));
    }
    const QString path = file(QStringLiteral("daten.bin"), bytes);
    ASSERT_TRUE(window().openFile(path));
    type(QStringLiteral("x"));
    window().currentSheet().editor->undo();
    trigger("actSpeichern");
    EXPECT_EQ(read(path), bytes);
}

TEST_F(MainWindowTest, ClipboardQuestionAtTheEndForOurText)
{
    type(QStringLiteral("Kopie"));
    window().currentSheet().editor->selectAll();
    trigger("actKopieren");
    ASSERT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Kopie"));
    prompter.addAnswer(QStringLiteral("No"));  // do not save the text
    prompter.addAnswer(QStringLiteral("No"));  // do not leave the clipboard text behind
    EXPECT_TRUE(closeWindow());
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("In der Zwischenablage befinden sich noch Daten.\nSollen diese für andere Anwendungen "
                             "verfügbar bleiben?"));
    EXPECT_EQ(prompter.records().last().buttons, QStringLiteral("YesNo"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

TEST_F(MainWindowTest, UndoLimitComesFromTheSettings)
{
    own->setValue(QStringLiteral("iUndoLimit"), 2);
    quillet::SheetEditor* editor = window().currentSheet().editor;
    for (const char* word : {"eins ", "zwei ", "drei "}) {
        type(QLatin1String(word));
        editor->setCaretPosition(editor->textLength());  // a caret move closes the step
    }
    editor->undo();
    editor->undo();
    EXPECT_FALSE(editor->isUndoAvailable());
    EXPECT_EQ(editor->rawText(), QStringLiteral("eins "));
}

TEST_F(MainWindowTest, EditTooLargeForUndoAsksFirst)
{
    quillet::SheetEditor* editor = window().currentSheet().editor;
    type(QStringLiteral("alt"));
    editor->setUndoBudget(10);
    QGuiApplication::clipboard()->setText(QStringLiteral("ein langer eingefügter Text"));
    prompter.addAnswer(QStringLiteral("No"));
    trigger("actEinfuegen");
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("Die Operation ist zu groß um sie rückgängig machen zu können.\nMöchten Sie fortfahren "
                             "ohne Rückgängig?"));
    EXPECT_EQ(prompter.records().last().buttons, QStringLiteral("YesNo"));
    EXPECT_EQ(editor->rawText(), QStringLiteral("alt"));
    EXPECT_TRUE(editor->isUndoAvailable());

    prompter.addAnswer(QStringLiteral("Yes"));
    trigger("actEinfuegen");
    EXPECT_EQ(editor->rawText(), QStringLiteral("altein langer eingefügter Text"));
    EXPECT_FALSE(editor->isUndoAvailable());
    EXPECT_TRUE(window().currentSheet().isModified());
    EXPECT_TRUE(prompter.answersLeft() == 0);
}

TEST_F(MainWindowTest, ClickingATabShowsTheStatusOfThatSheet)
{
    const QString a = file(QStringLiteral("a.txt"), "eins\r\nzwei\r\n");
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    ASSERT_TRUE(window().openFile(a, quillet::CommandLine::Mode::CaretToEnd));
    trigger("actNeuesBlatt");
    QTest::keyClicks(window().currentSheet().editor, QStringLiteral("abc"));
    window().applyTextLimit(100);
    trigger("actZeilenumbruch");
    QTest::keyClick(window().currentSheet().editor, Qt::Key_Insert);

    auto* tabs = window().findChild<QTabBar*>(QStringLiteral("tabBlaetter"));
    const auto statusOf = [this] {
        QStringList parts;
        for (const char* part : {"sbLaenge", "sbLimit", "sbFuellstand", "sbModus", "sbUmbruch", "sbGespeichert",
                                 "sbZeile", "sbSpalte"})
            parts.append(status(part));
        return parts.join(QStringLiteral(" | ")).toStdString();
    };
    const std::string second = "3 Byte | 100 Byte | 3% | Überschreiben | Zeilenumbruch | Nicht gespeichert | Ze 1 | Sp 4";
    EXPECT_EQ(statusOf(), second);

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    ASSERT_EQ(window().currentIndex(), 0);
    EXPECT_EQ(statusOf(), "10 Byte | 256.00 MB | 0% | Einfügen | Kein Zeilenumbruch | Gespeichert | Ze 3 | Sp 1");
    EXPECT_EQ(window().windowTitle(), QStringLiteral(" a - Quillet"));
    EXPECT_FALSE(window().findChild<QAction*>(QStringLiteral("actZeilenumbruch"))->isChecked());

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(statusOf(), second);
    EXPECT_TRUE(window().findChild<QAction*>(QStringLiteral("actZeilenumbruch"))->isChecked());
}

// The stored rectangle is the one restored: starting and closing without moving the
// window leaves the four values as they were.
TEST_F(MainWindowTest, StoredWindowRectangleStaysPutFromRunToRun)
{
    own->setValue(QStringLiteral("fSaveWindowPositions"), 1);
    own->setValue(QStringLiteral("iWindowPosX"), 123);
    own->setValue(QStringLiteral("iWindowPosY"), 77);
    own->setValue(QStringLiteral("iWindowPosDX"), 800);
    own->setValue(QStringLiteral("iWindowPosDY"), 500);
    for (int run = 1; run <= 3; ++run) {
        runOnce();
        EXPECT_EQ(own->value(QStringLiteral("iWindowPosX")).toInt(), 123) << "run " << run;
        EXPECT_EQ(own->value(QStringLiteral("iWindowPosY")).toInt(), 77) << "run " << run;
        EXPECT_EQ(own->value(QStringLiteral("iWindowPosDX")).toInt(), 800) << "run " << run;
        EXPECT_EQ(own->value(QStringLiteral("iWindowPosDY")).toInt(), 500) << "run " << run;
    }
}

TEST_F(MainWindowTest, FontSizeIsWrittenBackAsStoredUntilAFontIsChosen)
{
    for (const int stored : {0, -30, 95}) {
        own->setValue(QStringLiteral("iPointSize"), stored);
        runOnce();
        EXPECT_EQ(own->value(QStringLiteral("iPointSize")).toInt(), stored);
    }
}

// A file too long whatever it holds is refused from its size: the window does not go busy
// reading it first.
TEST_F(MainWindowTest, FileTooLongByItsSizeAloneIsRefusedWithoutReadingIt)
{
    own->setValue(QStringLiteral("fMaxText"), 0);
    own->setValue(QStringLiteral("iMaxCount"), 1000);
    const QString big = file(QStringLiteral("gross.txt"), QByteArray(5 * 1024 * 1024, 'x'));
    ASSERT_GT(QFileInfo(big).size(), MainWindow::kBackgroundRead);
    bool busyMeanwhile = false;
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [this, &busyMeanwhile] { busyMeanwhile = window().isBusy(); });
    window();
    probe.start(0);
    prompter.addAnswer(QStringLiteral("Ok"));
    EXPECT_FALSE(window().openFile(big));
    EXPECT_FALSE(busyMeanwhile);
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("Die Datei \"%1\" ist mit 5.00 MB länger als die maximale Textlänge von 1000 Byte.\r"
                             "Die Datei wurde nicht geladen. Erhöhen Sie die maximale Textlänge unter Extras.")
                  .arg(big));
    EXPECT_TRUE(window().currentSheet().isUnnamed());
}

// Through the find dialog and F3: the end question once, then the end of the run is
// reported as often as F3 is pressed, and the match found stays selected.
TEST_F(MainWindowTest, AfterTheEndOfASearchF3KeepsReportingTheEnd)
{
    const QString a = file(QStringLiteral("a.txt"), "Wort oben\r\nunten\r\n");
    window().openFile(a, quillet::CommandLine::Mode::CaretToEnd);
    quillet::FindDialog* dialog = openFindDialog(QStringLiteral("wort"));
    ASSERT_TRUE(dialog);
    prompter.addAnswer(QStringLiteral("Yes"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdWeitersuchen")), Qt::LeftButton);
    EXPECT_EQ(prompter.records().last().text,
              QStringLiteral("Die Suche nach \"wort\" ist am Ende des Dokuments angelangt.\rSoll vom Anfang weiter "
                             "gesucht werden?"));
    quillet::SheetEditor* editor = window().currentSheet().editor;
    EXPECT_EQ(editor->selectedText(), QStringLiteral("Wort"));

    for (int press = 1; press <= 2; ++press) {
        prompter.addAnswer(QStringLiteral("Ok"));
        QTest::keyClick(editor, Qt::Key_F3);
        EXPECT_EQ(prompter.records().last().text, QStringLiteral("Die Suche nach \"wort\" ist beendet."))
            << "press " << press;
        EXPECT_EQ(editor->selectionStart(), 0);
        EXPECT_EQ(editor->selectedText(), QStringLiteral("Wort"));
    }
    EXPECT_EQ(prompter.records().size(), 3);
    EXPECT_EQ(window().find().dialog(), nullptr);
}

// Upwards from the caret: only what lies above it, and no question at the beginning.
TEST_F(MainWindowTest, UpwardSearchFromTheCaretEndsAtTheBeginning)
{
    const QString a = file(QStringLiteral("a.txt"), "unten oben\r\nunten\r\n");
    window().openFile(a);
    quillet::SheetEditor* editor = window().currentSheet().editor;
    editor->setCaretPosition(13);  // "un|ten" on the second line
    quillet::FindDialog* dialog = openFindDialog(QStringLiteral("unten"));
    ASSERT_TRUE(dialog);
    QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("optOben")), Qt::LeftButton);
    QPushButton* next = dialog->findChild<QPushButton*>(QStringLiteral("cmdWeitersuchen"));
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(editor->selectionStart(), 0);
    EXPECT_EQ(editor->selectedText(), QStringLiteral("unten"));
    prompter.addAnswer(QStringLiteral("Ok"));
    QTest::mouseClick(next, Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().last().text, QStringLiteral("Die Suche nach \"unten\" ist beendet."));
}

// "Öffnen" with the name of no file offers to create it; No goes back to the dialog.
TEST_F(MainWindowTest, OpenDialogOffersToCreateAMissingFile)
{
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    const QString missing = dir.filePath(QStringLiteral("neu.txt"));
    prompter.addAnswer(missing);
    prompter.addAnswer(QStringLiteral("No"));
    prompter.addAnswer(QStringLiteral("<cancel>"));
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(prompter.fileRequests().size(), 2);
    EXPECT_TRUE(prompter.fileRequests().first().mayNotExist);
    EXPECT_EQ(prompter.records()[1].text,
              QStringLiteral("Die Datei \"%1\" ist nicht vorhanden.\r\rSoll die Datei erstellt werden?").arg(missing));
    EXPECT_EQ(prompter.records()[1].buttons, QStringLiteral("YesNo"));
    EXPECT_EQ(prompter.fileRequests().last().fileName, QStringLiteral("neu.txt"));
    EXPECT_FALSE(QFile::exists(missing));

    prompter.addAnswer(missing);
    prompter.addAnswer(QStringLiteral("Yes"));
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(missing));
    EXPECT_EQ(window().currentSheet().label, QStringLiteral("neu.txt"));
    EXPECT_FALSE(window().currentSheet().isModified());
    EXPECT_EQ(window().windowTitle(), QStringLiteral(" neu - Quillet"));
    QTest::keyClicks(window().currentSheet().editor, QStringLiteral("Erste Zeile"));
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(read(missing), QByteArray("Erste Zeile"));
    EXPECT_EQ(prompter.answersLeft(), 0);
}
