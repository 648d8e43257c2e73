#include "terminal/connections/dial_up.h"
#include "terminal/connections/ui/dial_up_window.h"
#include "terminal/connections/ui/dial_up_windows.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/maker_addresses.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

// A NetworkManager client that plays a scene: the fake script on the search path, its
// scene files in a folder of their own.
class FakeNmcli
{
public:
    FakeNmcli()
    {
        const QString bin = m_dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        QFile::copy(QStringLiteral(FAKE_NMCLI_SCRIPT), bin + QStringLiteral("/nmcli"));
        QFile::setPermissions(bin + QStringLiteral("/nmcli"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit() + ':' + m_oldPath);
        qputenv("FAKE_NMCLI_DIR", m_dir.path().toLocal8Bit());
    }
    ~FakeNmcli()
    {
        qputenv("PATH", m_oldPath);
        qunsetenv("FAKE_NMCLI_DIR");
    }
    void set(const QString& file, const QByteArray& content)
    {
        QFile f(m_dir.filePath(file));
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    QStringList calls() const
    {
        QFile f(m_dir.filePath(QStringLiteral("calls")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

TEST(NmcliDialUpTest, ListsOnlyDialUpKindsWithEscapedNamesInTheSystemsOrder)
{
    FakeNmcli nm;
    nm.set(QStringLiteral("list"), "Büro LAN:802-3-ethernet\n"
                                   "Mobil\\: Telekom:gsm\n"
                                   "WLAN:802-11-wireless\n"
                                   "DSL:pppoe\n"
                                   "Handy:bluetooth\n"
                                   "Kopfhörer:bluetooth\n"
                                   "EVDO:cdma\n");
    nm.set(QStringLiteral("bt_Handy"), "dun\n");
    nm.set(QStringLiteral("bt_Kopfhörer"), "panu\n");
    NmcliDialUp dialUp;
    const DialUpSystem::Listing listing = dialUp.entries();
    EXPECT_TRUE(listing.error.isEmpty());
    EXPECT_EQ(listing.names, (QStringList{QStringLiteral("Mobil: Telekom"), QStringLiteral("DSL"), QStringLiteral("Handy"),
                                          QStringLiteral("EVDO")}));
    EXPECT_EQ(NmcliDialUp::terseFields(QStringLiteral("a\\\\b\\:c:gsm")), (QStringList{QStringLiteral("a\\b:c"), QStringLiteral("gsm")}));
}

TEST(NmcliDialUpTest, AFailingOrMissingClientIsNamedAsTheReason)
{
    {
        FakeNmcli nm;
        nm.set(QStringLiteral("list_fails"), "Error: NetworkManager is not running.\n");
        NmcliDialUp dialUp;
        const DialUpSystem::Listing listing = dialUp.entries();
        EXPECT_TRUE(listing.names.isEmpty());
        EXPECT_EQ(listing.error, QStringLiteral("Error: NetworkManager is not running."));
    }
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    NmcliDialUp dialUp;
    const DialUpSystem::Listing listing = dialUp.entries();
    qputenv("PATH", path);
    EXPECT_EQ(listing.error, QStringLiteral("Das Programm nmcli (NetworkManager) wurde nicht gefunden."));
}

TEST(NmcliDialUpTest, DialsByNameHangsUpByHandleAndTakesAnActiveEntryAsOpen)
{
    FakeNmcli nm;
    nm.set(QStringLiteral("active"), "DSL\n");
    NmcliDialUp dialUp;
    QSignalSpy done(&dialUp, &DialUpSystem::dialFinished);

    dialUp.dial(QStringLiteral("Mobil: Telekom"));
    EXPECT_TRUE(dialUp.dialling());
    ASSERT_TRUE(done.wait(10000));
    const quint64 first = done.at(0).at(0).toULongLong();
    EXPECT_NE(first, 0u);
    EXPECT_FALSE(dialUp.dialling());

    dialUp.dial(QStringLiteral("DSL"));
    ASSERT_TRUE(done.wait(10000));
    const quint64 second = done.at(1).at(0).toULongLong();
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first);

    dialUp.hangUp(first);
    dialUp.hangUp(first); // a second time: no second command
    dialUp.hangUp(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return nm.calls().contains(QStringLiteral("connection down id Mobil: Telekom")); }, 10000));
    const QStringList calls = nm.calls();
    EXPECT_EQ(calls.count(QStringLiteral("connection up id Mobil: Telekom")), 1);
    EXPECT_FALSE(calls.contains(QStringLiteral("connection up id DSL")));
    EXPECT_EQ(calls.count(QStringLiteral("connection down id Mobil: Telekom")), 1);
}

TEST(NmcliDialUpTest, AFailedDialGivesHandleZeroAndTheSystemsReason)
{
    FakeNmcli nm;
    nm.set(QStringLiteral("up_fails"), "Error: Connection activation failed: No suitable device found.\n");
    NmcliDialUp dialUp;
    QSignalSpy done(&dialUp, &DialUpSystem::dialFinished);
    dialUp.dial(QStringLiteral("DSL"));
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(done.at(0).at(0).toULongLong(), 0u);
    EXPECT_EQ(done.at(0).at(1).toString(),
              QStringLiteral("Error: Connection activation failed: No suitable device found."));
}

// The window as the operator reaches it: function 680.
class DialUpWindowTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        terminal();
        windows = std::make_unique<DialUpWindows>(rig().context(), dialUp, &parent);
    }
    void TearDown() override
    {
        delete windows->window();
        windows.reset();
    }
    DialUpWindow& open()
    {
        terminal().PrgFunktionen(Fn::DfueVerbindungen);
        DialUpWindow* w = windows->window();
        EXPECT_NE(w, nullptr);
        return *w;
    }
    template <typename T>
    static T* the(DialUpWindow& w, const char* name) { return findNamed<T>(w, name); }
    static bool enabled(DialUpWindow& w, const char* name) { return the<QWidget>(w, name)->isEnabled(); }

    FakeNmcli nm;
    NmcliDialUp dialUp;
    QWidget parent;
    std::unique_ptr<DialUpWindows> windows;
};

TEST_F(DialUpWindowTest, NoEntriesAreToldAndTheWindowOpensEmptyWithCountZero)
{
    DialUpWindow& w = open();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.records()[0].text, QStringLiteral("Keine DFÜ-Verbindung vorhanden."));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(the<QLabel>(w, "frm26_lbl1")->text(), QStringLiteral("Eingerichtete Verbindungen (0):"));
    EXPECT_EQ(the<QListWidget>(w, "frm26_lbDFU")->count(), 0);
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdVerbinden"), Qt::LeftButton);
    EXPECT_FALSE(dialUp.dialling());
    // "Trennen" before any link does nothing, not even ask.
    the<QPushButton>(w, "frm26_cmdTrennen")->setEnabled(true);
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdTrennen"), Qt::LeftButton);
    EXPECT_EQ(prompter.records().size(), 1);
}

TEST_F(DialUpWindowTest, ConnectThenDisconnectFollowTheButtonStatesAndStoreTheHandle)
{
    nm.set(QStringLiteral("list"), "DSL:pppoe\nMobil:gsm\n");
    DialUpWindow& w = open();
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_EQ(the<QLabel>(w, "frm26_lbl1")->text(), QStringLiteral("Eingerichtete Verbindungen (2):"));
    auto* list = the<QListWidget>(w, "frm26_lbDFU");
    EXPECT_EQ(list->currentRow(), 0);
    for (const char* off : {"frm26_cmdTrennen", "frm26_cmdWebseite", "frm26_cmdMail"})
        EXPECT_FALSE(enabled(w, off)) << off;
    EXPECT_EQ(the<QPushButton>(w, "frm26_cmdTrennen")->property("tag").toString(), QStringLiteral("0"));

    list->setCurrentRow(1);
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdVerbinden"), Qt::LeftButton);
    EXPECT_FALSE(enabled(w, "frm26_lbDFU"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return enabled(w, "frm26_cmdTrennen"); }, 10000));
    EXPECT_NE(the<QPushButton>(w, "frm26_cmdTrennen")->property("tag").toString(), QStringLiteral("0"));
    EXPECT_FALSE(enabled(w, "frm26_lbDFU"));
    EXPECT_FALSE(enabled(w, "frm26_cmdVerbinden"));
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdWebseite"), Qt::LeftButton);
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdMail"), Qt::LeftButton);
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].target, Maker::webSite());
    EXPECT_EQ(shell.calls[1].target, QStringLiteral("mailto:") + Maker::supportMail());
    EXPECT_TRUE(nm.calls().contains(QStringLiteral("connection up id Mobil")));

    // No keeps the link; Yes closes it.
    prompter.addAnswers({QStringLiteral("No"), QStringLiteral("Yes")});
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdTrennen"), Qt::LeftButton);
    EXPECT_TRUE(enabled(w, "frm26_cmdTrennen"));
    QTest::mouseClick(the<QPushButton>(w, "frm26_cmdTrennen"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[1].caption, QStringLiteral("Sicherheitsabfrage"));
    EXPECT_EQ(prompter.records()[1].text, QStringLiteral("Soll die aktive Verbindung getrennt werden?"));
    EXPECT_EQ(the<QPushButton>(w, "frm26_cmdTrennen")->property("tag").toString(), QStringLiteral("0"));
    EXPECT_TRUE(enabled(w, "frm26_lbDFU"));
    EXPECT_TRUE(enabled(w, "frm26_cmdVerbinden"));
    for (const char* off : {"frm26_cmdTrennen", "frm26_cmdWebseite", "frm26_cmdMail"})
        EXPECT_FALSE(enabled(w, off)) << off;
    ASSERT_TRUE(QTest::qWaitFor([&] { return nm.calls().contains(QStringLiteral("connection down id Mobil")); }, 10000));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(DialUpWindowTest, AFailedDialIsToldAndTheListIsFreeForAnotherEntry)
{
    nm.set(QStringLiteral("list"), "DSL:pppoe\n");
    nm.set(QStringLiteral("up_fails"), "Error: Connection activation failed: modem busy.\n");
    DialUpWindow& w = open();
    QListWidgetItem* item = the<QListWidget>(w, "frm26_lbDFU")->item(0);
    auto* list = the<QListWidget>(w, "frm26_lbDFU");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.records().size() == 1; }, 10000));
    EXPECT_EQ(prompter.records()[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.records()[0].icon, QStringLiteral("Warning"));
    EXPECT_EQ(prompter.records()[0].text, QStringLiteral("DFÜ-Verbindung\r\rDSL\r\r konnte nicht aufgebaut werden."));
    EXPECT_TRUE(enabled(w, "frm26_lbDFU"));
    EXPECT_TRUE(enabled(w, "frm26_cmdVerbinden"));
    EXPECT_FALSE(enabled(w, "frm26_cmdTrennen"));
    EXPECT_EQ(the<QPushButton>(w, "frm26_cmdTrennen")->property("tag").toString(), QStringLiteral("0"));
    EXPECT_EQ(the<QLabel>(w, "frm26_lblStatus")->text(), QStringLiteral("Error: Connection activation failed: modem busy."));
}

TEST_F(DialUpWindowTest, MoreThanTwoHundredFiftySixEntriesAreAllListed)
{
    QByteArray list;
    for (int i = 1; i <= 300; ++i)
        list += "Zugang " + QByteArray::number(i) + ":gsm\n";
    nm.set(QStringLiteral("list"), list);
    DialUpWindow& w = open();
    EXPECT_EQ(the<QListWidget>(w, "frm26_lbDFU")->count(), 300);
    EXPECT_EQ(the<QLabel>(w, "frm26_lbl1")->text(), QStringLiteral("Eingerichtete Verbindungen (300):"));
    EXPECT_EQ(the<QListWidget>(w, "frm26_lbDFU")->item(299)->text(), QStringLiteral("Zugang 300"));
}

} // namespace
