#include "terminal/display/ui/display_view.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/display/ui/text_anhaengen.h"
#include "terminal/platform/qt_printer.h"

#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QPlainTextEdit>

using namespace tarvex;

namespace {

// Remembers the file dialogs asked for, with their filters.
class RecordingPrompter : public ScriptedPrompter
{
public:
    QStringList fileDialog(const FileDialogRequest& request) override
    {
        requests.append(request);
        return ScriptedPrompter::fileDialog(request);
    }
    QList<FileDialogRequest> requests;
};

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>").arg(QString::fromLocal8Bit(p.readAllStandardError()));
    // Compatibility normalisation undoes the font's ligatures ("ff" drawn as one glyph).
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

class DisplayActionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        folders = temporaryProgramFolders(programDir);
        clock.set(QDateTime(QDate(2026, 12, 8), QTime(4, 5, 6)));
        rig = std::make_unique<TerminalRig>(folders, prompter, clock, shell, port, nullptr);
        state = &rig->state;
        terminal = &rig->terminal;
        terminal->StartVorbereitung();
        window = std::make_unique<MainWindow>(*terminal, rig->serial);
        pdf = programDir.filePath("druck.pdf");
        printer = std::make_unique<QtPrinter>(pdf);
        actions().setPrinter(printer.get());
    }
    void TearDown() override
    {
        window.reset();
        rig.reset();
    }

    DisplayActions& actions() { return window->displayActions(); }
    DisplayView* display() { return window->display(); }
    QString anzeige(const char* name) const { return folders.anzeigeDir() + QString::fromUtf8(name); }
    const PromptRecord& box(qsizetype i) const { return prompter.records().at(i); }

    QTemporaryDir programDir;
    AppFolders folders;
    RecordingPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    MemorySerialPort port;
    std::unique_ptr<TerminalRig> rig;
    TerminalState* state = nullptr;
    Terminal* terminal = nullptr;
    std::unique_ptr<MainWindow> window;
    QString pdf;
    std::unique_ptr<QtPrinter> printer;
};

TEST_F(DisplayActionsTest, CopyDisplayAndListToClipboard)
{
    window->appendDisplay(QStringLiteral("Zeile 1\r\nGrüße 2\r\n"));
    prompter.addAnswer(QStringLiteral("Ok"));
    terminal->PrgFunktionen(156);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Zeile 1\r\nGrüße 2\r\n"));
    EXPECT_EQ(window->statusPanel(1)->text(), QStringLiteral("     Daten in Zwischenablage kopiert."));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(box(0).caption, "Information");
    EXPECT_EQ(box(0).text, QStringLiteral("Inhalt der Datenanzeige in die Zwischenablage\r(Clipboard) kopiert."));
    EXPECT_EQ(box(0).icon, boxIconName(BoxIcon::Information));

    // A list is copied line by line and cut once the text has grown past 60000 characters.
    QStringList list;
    for (int i = 0; i < 1000; ++i)
        list.append(QStringLiteral("%1").arg(i, 100, 10, QLatin1Char('0')));
    prompter.addAnswer(QStringLiteral("Ok"));
    actions().Anzeige(1, list);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.size(), 589 * 102); // the 589th line passes the limit
    EXPECT_TRUE(copied.startsWith(list.first() + QStringLiteral("\r\n")));
    EXPECT_TRUE(copied.endsWith(list.at(588) + QStringLiteral("\r\n")));
    actions().Anzeige(1, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(prompter.unexpected(), 1); // the last confirmation had no scripted answer
}

TEST_F(DisplayActionsTest, SaveDisplayAsTextWithDialogAndQuestion)
{
    window->appendDisplay(QStringLiteral("Grüße 5 €\r\nZeile 2\r\n"));
    const QString file = anzeige("sicher.txt");
    prompter.addAnswers({file, QStringLiteral("Yes")});
    terminal->PrgFunktionen(165);
    EXPECT_EQ(readFile(file), QByteArray("Gr\xFC\xDF" "e 5 \x80\r\nZeile 2\r\n"));
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(box(0).kind, "save");
    EXPECT_EQ(box(0).caption, "Bitte Dateinamen angeben:");
    EXPECT_EQ(box(1).caption, "Sicherheitsabfrage");
    EXPECT_EQ(box(1).text, QStringLiteral("Soll die Anzeige in die Datei\r\r") + file + QStringLiteral("\r\rgesichert werden?"));
    ASSERT_EQ(prompter.requests.size(), 1);
    EXPECT_EQ(prompter.requests.at(0).filter, "Textdatei|*.txt|RichText|*.rtf|Alle Dateitypen|*.*");
    EXPECT_EQ(prompter.requests.at(0).startDir, folders.anzeigeDir());

    // No keeps the file as it was; a cancelled dialog asks nothing.
    const QString other = anzeige("nein.txt");
    prompter.addAnswers({other, QStringLiteral("No"), QStringLiteral("<cancel>")});
    terminal->PrgFunktionen(165);
    terminal->PrgFunktionen(166);
    EXPECT_FALSE(QFileInfo::exists(other));
    EXPECT_EQ(prompter.records().size(), 5);
    EXPECT_EQ(prompter.requests.at(2).filterIndex, 2); // function 166 offers rich text first

    // A list is plain text only.
    prompter.addAnswers({other, QStringLiteral("Yes")});
    actions().Anzeige(2, {QStringLiteral("x"), QStringLiteral("y")});
    EXPECT_EQ(prompter.requests.last().filter, "Textdatei|*.txt|Alle Dateitypen|*.*");
    EXPECT_EQ(readFile(other), QByteArray("x\r\ny\r\n"));

    // A file that cannot be written is reported, not confirmed.
    const QString missing = programDir.filePath("fehlt/ordner/a.txt");
    prompter.addAnswers({missing, QStringLiteral("Yes"), QStringLiteral("Ok")});
    terminal->PrgFunktionen(165);
    EXPECT_TRUE(prompter.records().last().caption.startsWith(QStringLiteral("Systemfehler ")));
    EXPECT_TRUE(prompter.records().last().text.startsWith(QStringLiteral("Modul: Anzeige\r\r")));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(DisplayActionsTest, SaveDisplayAsRichTextKeepsColoursAndStyles)
{
    window->appendDisplay(QStringLiteral("schwarz\r\n"));
    TextAnhaengen(204, QStringLiteral("grün {fett}"), 1, 0, QString(), display());
    window->appendDisplay(QStringLiteral("wieder normal\r\n"));
    const QString file = anzeige("farbig.RTF");
    prompter.addAnswers({file, QStringLiteral("Yes")});
    terminal->PrgFunktionen(166);
    const QByteArray rtf = readFile(file);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.left(40).toStdString();
    EXPECT_TRUE(rtf.contains("{\\colortbl ;"));
    EXPECT_TRUE(rtf.contains("\\red0\\green160\\blue0;"));
    EXPECT_TRUE(rtf.contains("\\b\\i gr\\'fcn \\{fett\\}")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("schwarz"));
    // The text after the coloured line is not bold.
    const qsizetype normal = rtf.indexOf("wieder normal");
    ASSERT_GT(normal, 0);
    const QByteArray before = rtf.left(normal);
    EXPECT_FALSE(before.mid(before.lastIndexOf("\\plain")).contains("\\b"));
}

TEST_F(DisplayActionsTest, PrintDisplayAfterTheQuestionOnNumberedPages)
{
    for (int i = 1; i <= 150; ++i)
        window->appendDisplay(QStringLiteral("Datensatz %1\r\n").arg(i, 3, 10, QLatin1Char('0')));
    prompter.addAnswer(QStringLiteral("No"));
    terminal->PrgFunktionen(140);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(box(0).caption, "Sicherheitsabfrage");
    EXPECT_EQ(box(0).text, QStringLiteral("Soll die aktuelle Anzeige ausgedruckt werden?!"));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    prompter.addAnswer(QStringLiteral("Yes"));
    terminal->PrgFunktionen(140);
    EXPECT_EQ(prompter.records().size(), 2);
    const QString text = pdfText(pdf);
    // The text extraction turns runs of blanks into one.
    const QString flat = text.simplified();
    const int pages = int(text.count(QLatin1Char('\f')));
    EXPECT_GE(pages, 2);
    EXPECT_EQ(flat.count(QStringLiteral("Monitorausdruck - Terminal Tarvex")), pages) << text.toStdString();
    for (int p = 1; p <= pages; ++p)
        EXPECT_TRUE(flat.contains(QStringLiteral("Monitorausdruck - Seite %1 - 08.12.2026 um 04:05:06").arg(p))) << p;
    EXPECT_LT(text.indexOf(QStringLiteral("Datensatz 001")), text.indexOf(QStringLiteral("Datensatz 150")));

    // Header off, footer on.
    actions().printLines(QStringLiteral("Protokoll"), {QStringLiteral("x")}, QStringLiteral("010000000"));
    EXPECT_FALSE(pdfText(pdf).simplified().contains(QStringLiteral("Protokoll - Terminal Tarvex")));
    EXPECT_TRUE(pdfText(pdf).simplified().contains(QStringLiteral("Protokoll - Seite 1 ")));
}

TEST_F(DisplayActionsTest, PlainPrintoutHasNeitherPageHeaderNorFooter)
{
    actions().printPlain({QStringLiteral("   Terminal Tarvex Kopfzeile"), QString(), QStringLiteral("Datenzeile")});
    const QString text = pdfText(pdf);
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << text.toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("Terminal Tarvex Kopfzeile"))) << text.toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Datenzeile")));
    EXPECT_FALSE(text.contains(QStringLiteral("Seite")));
}

TEST_F(DisplayActionsTest, ListPrintedAsTable)
{
    const QList<PrintColumn> columns{{QStringLiteral("Nr."), PrintAlign::Left},
                                     {QStringLiteral("Alarmgrund"), PrintAlign::Left},
                                     {QStringLiteral("Wie oft?"), PrintAlign::Right}};
    prompter.addAnswer(QStringLiteral("Yes"));
    actions().printTable(QStringLiteral("Alarmliste"), columns,
                         {{QStringLiteral("0001"), QStringLiteral("Tür offen"), QStringLiteral("12")},
                          {QStringLiteral("0002"), QStringLiteral("Netzausfall"), QStringLiteral("3")}});
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.simplified().contains(QStringLiteral("Alarmliste - Terminal Tarvex"))) << text.toStdString();
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto lineWith = [&](const QString& s) {
        for (const QString& l : lines)
            if (l.contains(s))
                return l.simplified();
        return QString();
    };
    EXPECT_EQ(lineWith(QStringLiteral("Alarmgrund")), QStringLiteral("Nr. Alarmgrund Wie oft?"));
    EXPECT_EQ(lineWith(QStringLiteral("Tür offen")), QStringLiteral("0001 Tür offen 12")) << text.toStdString();
    EXPECT_EQ(lineWith(QStringLiteral("Netzausfall")), QStringLiteral("0002 Netzausfall 3"));
}

TEST_F(DisplayActionsTest, PrinterInformationAndTestPage)
{
    prompter.addAnswer(QStringLiteral("Ok"));
    terminal->PrgFunktionen(142);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(box(0).caption, "Druckerinformation");
    EXPECT_EQ(box(0).icon, boxIconName(BoxIcon::Information));
    EXPECT_TRUE(box(0).text.startsWith(QStringLiteral("Treibername: PDF\rSchnittstelle: ") + pdf + QStringLiteral("\r\rLinks\t: ")));
    const PrinterMetrics m = printer->metrics(PrintFont{QStringLiteral("Arial"), 10});
    EXPECT_GT(m.textHeight, 0);
    EXPECT_GT(m.width, 0);
    EXPECT_TRUE(box(0).text.contains(QStringLiteral("\rZeilen pro Blatt\t: %1\r").arg(m.height / (m.textHeight + 5) - 10)));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    prompter.addAnswer(QStringLiteral("Ok"));
    terminal->PrgFunktionen(141);
    EXPECT_EQ(box(1).caption, "Testausdruck");
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.simplified().contains(QStringLiteral("Testausdruck - Seite 1 "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Treibername: PDF")));
}

TEST_F(DisplayActionsTest, PrinterFailureBecomesTheErrorReport)
{
    QtPrinter broken(programDir.filePath("fehlt/ordner/druck.pdf"));
    actions().setPrinter(&broken);
    window->appendDisplay(QStringLiteral("x\r\n"));
    prompter.addAnswers({QStringLiteral("Yes"), QStringLiteral("Ok")});
    terminal->PrgFunktionen(140);
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_TRUE(box(1).caption.startsWith(QStringLiteral("Systemfehler ")));
    EXPECT_TRUE(box(1).text.startsWith(QStringLiteral("Modul: Anzeige\r\r")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DisplayActionsTest, ClearAsksAndDefaultsToNo)
{
    display()->setMaximumLines(500);
    window->appendDisplay(QStringLiteral("bleibt\r\n"));
    terminal->PrgFunktionen(157); // no answer: the default button
    EXPECT_EQ(box(0).caption, "Sicherheitsabfrage");
    EXPECT_EQ(box(0).text, QStringLiteral("Soll die aktuelle Anzeige gelöscht werden?!"));
    EXPECT_EQ(box(0).answer, QStringLiteral("<default>:No"));
    EXPECT_EQ(display()->toPlainText(), QStringLiteral("bleibt\n"));
    prompter.addAnswer(QStringLiteral("No"));
    terminal->PrgFunktionen(157);
    EXPECT_EQ(display()->toPlainText(), QStringLiteral("bleibt\n"));
    prompter.addAnswer(QStringLiteral("Yes"));
    terminal->PrgFunktionen(157);
    EXPECT_EQ(display()->toPlainText(), QString());
    // The line limit survives clearing.
    EXPECT_EQ(display()->maximumLines(), 500);
}

TEST_F(DisplayActionsTest, ShowInEditorFromButtonAndFunctions)
{
    window->appendDisplay(QStringLiteral("Grüße\r\n"));
    shell.available.insert(terminal->context().programs.path(QStringLiteral("quillet")));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("frm1_cmdMonitor")), Qt::LeftButton);
    terminal->PrgFunktionen(146);
    terminal->PrgFunktionen(160);
    const QString file = anzeige("editor.txt");
    EXPECT_EQ(readFile(file), QByteArray("Gr\xFC\xDF" "e\r\n"));
    ASSERT_EQ(shell.calls.size(), 3);
    for (const FakeShell::Call& c : shell.calls) {
        EXPECT_EQ(c.what, "start");
        EXPECT_EQ(c.target, terminal->context().programs.path(QStringLiteral("quillet")));
        EXPECT_EQ(c.arguments, QStringList{file});
    }
}

TEST_F(DisplayActionsTest, TextAnhaengenFormatsAndThenReturnsToNormal)
{
    QPlainTextEdit edit;
    TextAnhaengen(204, QStringLiteral("grün"), 1, 0, QString(), &edit);
    TextAnhaengen(7, QStringLiteral("schwarz"), 1, 12, QStringLiteral("Arial"), &edit);
    QTextCursor end(edit.document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("danach"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("grün\nschwarz\ndanach"));
    const auto formatAt = [&](int position) {
        QTextCursor c(edit.document());
        c.setPosition(position + 1);
        return c.charFormat();
    };
    const QTextCharFormat green = formatAt(0);
    EXPECT_EQ(green.foreground().color(), QColor(0, 160, 0));
    EXPECT_EQ(green.fontWeight(), QFont::Bold);
    EXPECT_TRUE(green.fontItalic());
    EXPECT_EQ(green.fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_EQ(green.fontPointSize(), 9);
    const QTextCharFormat black = formatAt(5);
    EXPECT_EQ(black.foreground().color(), QColor(Qt::black));
    EXPECT_EQ(black.fontWeight(), QFont::Normal);
    EXPECT_FALSE(black.fontItalic());
    EXPECT_EQ(black.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(black.fontPointSize(), 12);
    // After the line break the control's own format applies again.
    const QTextCharFormat after = formatAt(int(edit.toPlainText().indexOf(QStringLiteral("danach"))));
    EXPECT_FALSE(after.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(after.hasProperty(QTextFormat::FontWeight));
}

} // namespace
