// The transfer window frm20 driven through its buttons, on the terminal's real receive
// pipeline and serial line over an in-memory port.
#include "terminal/connections/binary_protocol.h"
#include "terminal/connections/ui/binary_window.h"
#include "terminal/connections/ui/binary_windows.h"
#include "terminal/core/function_numbers.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;
using namespace tarvex::binary;

namespace {

// Answers a poll with the ready answer and its offer, and notes whether the serial poll ran
// at each write.
class AnsweringPort : public MemorySerialPort
{
public:
    bool write(const QByteArray& bytes) override
    {
        if (!MemorySerialPort::write(bytes))
            return false;
        pollRunning << (timer && timer->isActive());
        if (bytes == kPoll && answer)
            incoming << kReady + kEscapeOffer;
        if (afterWrite)
            afterWrite();
        return true;
    }
    QTimer* timer = nullptr;
    bool answer = true;
    QList<bool> pollRunning;
    std::function<void()> afterWrite;
};

class BinaryWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders = temporaryProgramFolders(dir);
        QDir(dir.path()).mkpath("ziel");
        rig = std::make_unique<TerminalRig>(folders, prompter, clock, shell, port, &view);
        rig->terminal.StartVorbereitung();
        rig->state.settings.com = 1;
        port.timer = &rig->state.tmrSeriell;
        windows = std::make_unique<BinaryWindows>(rig->context(), rig->serial, nullptr);
        windows->preset({}, dir.filePath("ziel"));
    }
    void TearDown() override
    {
        windows.reset();
        rig.reset();
    }

    void connectLine()
    {
        ASSERT_TRUE(rig->terminal.VerbindungSteuern(1));
        port.written.clear();
        port.writes.clear();
        port.pollRunning.clear();
    }
    void tick() { emit rig->state.tmrSeriell.timeout({}); }
    template <typename T>
    T* the(const char* name) { return findNamed<T>(*windows->window(), name); }
    void click(const char* name) { QTest::mouseClick(the<QPushButton>(name), Qt::LeftButton); }
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        writeFile(path, bytes);
        return path;
    }

    QTemporaryDir dir;
    AppFolders folders;
    ScriptedPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    AnsweringPort port;
    FakeView view;
    std::unique_ptr<TerminalRig> rig;
    std::unique_ptr<BinaryWindows> windows;
};

TEST_F(BinaryWindowTest, ReceivesThroughTheReceivePipelineAndAsksBeforeCancelling)
{
    connectLine();
    prompter.addAnswer("Yes");
    rig->terminal.PrgFunktionen(Fn::BinaerEmpfangen);
    BinaryTransferWindow* w = windows->window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(prompter.records().at(0).text, "Wollen Sie die Empfangsbereitschaft beginnen?");
    EXPECT_EQ(the<QLabel>("frm20_lbl5")->text(), "Warte auf Sendebeginn von Gegenseite...");
    EXPECT_EQ(the<QPushButton>("frm20_cmdBeenden")->text(), "&Abbrechen");
    EXPECT_FALSE(the<QPushButton>("frm20_cmdStarten")->isEnabled());
    EXPECT_FALSE(the<QPushButton>("frm20_cmdQuelle")->isEnabled());
    EXPECT_TRUE(the<QLineEdit>("frm20_edZiel")->isReadOnly());

    // A poll is answered; a file arrives in reads cut anywhere and never reaches the display.
    port.incoming << kPoll;
    tick();
    EXPECT_EQ(port.written, kReady + kEscapeOffer);
    port.incoming << kHeaderStart + "C:\\Quelle\\Daten.bin (0.006)" + kHeaderEnd + "AB\r\n" << "C\xFB\x01"
                  << "D" + kFileEnd.left(2);
    tick();
    EXPECT_EQ(the<QLabel>("frm20_lbl5")->text(), "Empfange: Daten.bin");
    EXPECT_EQ(the<QProgressBar>("frm20_aniDatenzugriff")->maximum(), 0) << "busy while writing";
    port.incoming << kFileEnd.mid(2);
    tick();
    EXPECT_EQ(readFile(dir.filePath("ziel/Daten.bin")), QByteArray("AB\r\nC\xFB\x01" "D"));
    EXPECT_EQ(the<QProgressBar>("frm20_proZiel")->value(), the<QProgressBar>("frm20_proZiel")->maximum());
    EXPECT_EQ(the<QProgressBar>("frm20_aniDatenzugriff")->maximum(), 1);
    EXPECT_TRUE(view.display.isEmpty()) << view.display.toStdString();

    // The close button and the close box ask; No keeps the transfer.
    prompter.addAnswer("No");
    click("frm20_cmdBeenden");
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie den Transfer von Binärdateien beenden?");
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(windows->transfer().active());
    prompter.addAnswer("No");
    EXPECT_FALSE(w->close());
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie den Transfer von Binärdateien beenden?");
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(windows->transfer().active());
    port.incoming << kHeaderStart + "Halb.bin (9)" + kHeaderEnd + QByteArray(4000, 'h');
    tick();
    prompter.addAnswer("Yes");
    click("frm20_cmdBeenden");
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(windows->transfer().active());
    EXPECT_EQ(QDir(dir.filePath("ziel")).entryList(QDir::Files), QStringList{"Daten.bin"});

    // Without a taker the line pipeline has its bytes again.
    port.incoming << "Zeile\r";
    tick();
    EXPECT_TRUE(view.display.contains("Zeile")) << view.display.toStdString();
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(BinaryWindowTest, AVanishedLineDropsTheFileBeingReceived)
{
    connectLine();
    prompter.addAnswer("Yes");
    rig->terminal.PrgFunktionen(Fn::BinaerEmpfangen);
    port.incoming << kHeaderStart + "Weg.bin (9)" + kHeaderEnd + QByteArray(4000, 'w');
    port.gone = true;
    prompter.addAnswer("Ok"); // the lost line is told
    tick();
    EXPECT_FALSE(rig->state.connectionActive);
    EXPECT_FALSE(windows->transfer().active());
    EXPECT_EQ(the<QLabel>("frm20_lbl5")->text(), "Verbindung getrennt. Transfer abgebrochen.");
    EXPECT_TRUE(QDir(dir.filePath("ziel")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_FALSE(the<QPushButton>("frm20_cmdStarten")->isEnabled());
    EXPECT_EQ(the<QPushButton>("frm20_cmdBeenden")->text(), "&Beenden");
}

TEST_F(BinaryWindowTest, SendListButtonsAndTargetFolder)
{
    const QString a = file("a.bin", QByteArray(2500, 'a'));
    prompter.addAnswer(a);
    rig->terminal.PrgFunktionen(Fn::BinaerSenden); // empty list: the file selection first
    ASSERT_NE(windows->window(), nullptr);
    ASSERT_EQ(prompter.fileRequests().size(), 1);
    EXPECT_EQ(prompter.fileRequests().at(0).title, "Bitte Datei auswählen:");
    EXPECT_EQ(prompter.fileRequests().at(0).filter, "Alle Dateien|*.*");
    auto* list = the<QListWidget>("frm20_lbQuelle");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), a + " (2.5)");
    // Without a connection nothing is sent, and nothing asked.
    EXPECT_EQ(prompter.records().size(), 1);
    EXPECT_FALSE(the<QPushButton>("frm20_cmdStarten")->isEnabled());

    prompter.addAnswers({a, "Ok"});
    click("frm20_cmdQuelle");
    EXPECT_EQ(prompter.records().last().caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records().last().text, "Datei bereits ausgewählt.\r\r");
    EXPECT_EQ(list->count(), 1);
    const QString b = file("b.bin", {});
    prompter.addAnswer(b);
    click("frm20_cmdQuelle");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), b + " (0)");

    EXPECT_FALSE(the<QPushButton>("frm20_cmdLoeschen")->isEnabled());
    list->setCurrentRow(0);
    EXPECT_TRUE(the<QPushButton>("frm20_cmdLoeschen")->isEnabled());
    prompter.addAnswer("No");
    click("frm20_cmdLoeschen");
    EXPECT_EQ(prompter.records().last().text, "Soll der Eintrag aus der Sendeliste entfernt werden?");
    EXPECT_EQ(list->count(), 2);
    prompter.addAnswer("Yes");
    click("frm20_cmdLoeschen");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), b + " (0)");

    prompter.addAnswer(dir.filePath("ziel"));
    click("frm20_cmdZiel");
    EXPECT_EQ(prompter.fileRequests().last().title, "Bitte wählen Sie einen Ordner aus:");
    EXPECT_EQ(prompter.fileRequests().last().kind, FileDialogKind::Folder);
    EXPECT_EQ(the<QLineEdit>("frm20_edZiel")->text(), dir.filePath("ziel"));
    click("frm20_cmdExplorer");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.at(0).what, "folder");
    EXPECT_EQ(shell.calls.at(0).target, dir.filePath("ziel"));

    // Not running: the close button closes without a question.
    const int asked = int(prompter.records().size());
    click("frm20_cmdBeenden");
    EXPECT_FALSE(windows->window()->isVisible());
    EXPECT_EQ(prompter.records().size(), asked);
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(BinaryWindowTest, StartenSendsTheListWhileTheSerialPollRests)
{
    connectLine();
    const QString a = file("a.bin", QByteArray(2500, 'a'));
    windows->preset({a}, dir.filePath("ziel"));
    // The ready answer reaches the sender through the receive pipeline, as the poll ticks.
    port.afterWrite = [this] {
        if (rig->state.tmrSeriell.isActive())
            rig->receive.pipeline().SeriellLesen();
    };
    prompter.addAnswer("Yes");
    rig->terminal.PrgFunktionen(Fn::BinaerSenden);
    EXPECT_EQ(prompter.records().at(0).text,
              "Binärdateien\t: 1\rGesamtgrösse\t: 2.5 KBytes\r\rWollen Sie den Transfer starten?");
    // Poll (while polling runs), then header, three blocks, file end, transfer end with the poll at rest.
    ASSERT_EQ(port.writes.size(), 7);
    EXPECT_EQ(port.writes.at(0), kPoll);
    EXPECT_EQ(port.writes.at(1), kHeaderStartEscaped + a.toUtf8() + " (2.5)" + kHeaderEnd);
    EXPECT_EQ(port.writes.at(6), kTransferEnd);
    EXPECT_EQ(port.pollRunning, (QList<bool>{true, false, false, false, false, false, false}));
    EXPECT_TRUE(rig->state.tmrSeriell.isActive());
    EXPECT_EQ(the<QLabel>("frm20_lbl15")->text(), "Transfer beendet. Alle Dateien gesendet.");
    EXPECT_EQ(the<QPushButton>("frm20_cmdBeenden")->text(), "&Beenden");
    EXPECT_TRUE(the<QPushButton>("frm20_cmdStarten")->isEnabled());
    EXPECT_EQ(the<QProgressBar>("frm20_proQuelle")->value(), the<QProgressBar>("frm20_proQuelle")->maximum());
    EXPECT_EQ(prompter.unexpected(), 0);
}

} // namespace
