#include "terminal/core/function_numbers.h"
#include "terminal/tools/ui/search_window.h"
#include "terminal/tools/ui/search_windows.h"

#include "tests/support/find_named.h"
#include "tests/tools/program_fixture.h"
#include "tests/terminal/terminal_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

class SearchWindowTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        for (const char* line : {"GEB 0815 Amt", "STATUS ok", "geb 4711", "Amt frei", "GEB 0816"})
            program->window->appendDisplay(QString::fromUtf8(line) + QStringLiteral("\r\n"));
    }

    SearchWindow& open()
    {
        terminal().PrgFunktionen(Fn::Suchen);
        SearchWindow* w = program->search->window();
        EXPECT_NE(w, nullptr);
        return *w;
    }
    template <typename T>
    static T* the(SearchWindow& w, const char* name) { return findNamed<T>(w, name); }
    static QStringList listed(SearchWindow& w) { return modelRows(the<QListView>(w, "frm8_lbAnzeige")); }
    void search(SearchWindow& w)
    {
        QSignalSpy done(&w, &SearchWindow::searchDone);
        QTest::mouseClick(the<QPushButton>(w, "frm8_cmdSuchen"), Qt::LeftButton);
        ASSERT_TRUE(done.wait(5000));
    }
};

TEST_F(SearchWindowTest, TypedTermsListTheHitsWithNumbersAndTheSearchButtonWaitsForAChange)
{
    SearchWindow& w = open();
    auto* searchButton = the<QPushButton>(w, "frm8_cmdSuchen");
    EXPECT_FALSE(searchButton->isEnabled());
    QTest::keyClicks(the<QLineEdit>(w, "frm8_edSuchen1"), "geb");
    EXPECT_TRUE(searchButton->isEnabled());
    QTest::keyClicks(the<QLineEdit>(w, "frm8_edSuchen2"), "amt");
    QTest::mouseClick(the<QRadioButton>(w, "frm8_opt3"), Qt::LeftButton, {}, QPoint(6, the<QRadioButton>(w, "frm8_opt3")->height() / 2));
    QTest::mouseClick(the<QCheckBox>(w, "frm8_chkZeile"), Qt::LeftButton, {}, QPoint(6, the<QCheckBox>(w, "frm8_chkZeile")->height() / 2));
    search(w);
    EXPECT_EQ(listed(w), (QStringList{"00000003  geb 4711", "00000005  GEB 0816"}));
    EXPECT_EQ(the<QLabel>(w, "frm8_lbl1")->text(), QStringLiteral("Gefunden: 2"));
    EXPECT_FALSE(searchButton->isEnabled());
    QTest::keyClicks(the<QLineEdit>(w, "frm8_edSuchen2"), "x");
    EXPECT_TRUE(searchButton->isEnabled());
    // The query is kept for the next start.
    EXPECT_EQ(state->settings.begriff1, QStringLiteral("geb"));
    EXPECT_TRUE(state->settings.option3);
    EXPECT_TRUE(state->settings.zeilenNr);
}

TEST_F(SearchWindowTest, AClickedHitAndWeiterPlaceTheDisplaysCaretOnTheirLine)
{
    SearchWindow& w = open();
    QTest::keyClicks(the<QLineEdit>(w, "frm8_edSuchen1"), "GEB 081");
    search(w);
    ASSERT_EQ(listed(w).size(), 2);
    QPlainTextEdit* display = program->window->display();
    QTest::mouseClick(the<QPushButton>(w, "frm8_cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(display->textCursor().blockNumber(), 0);
    EXPECT_EQ(the<QLabel>(w, "frm8_lbl20")->text(), QStringLiteral("GEB 0815 Amt"));
    QTest::mouseClick(the<QPushButton>(w, "frm8_cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(display->textCursor().blockNumber(), 4);
    // After the last hit it starts again at the first.
    QTest::mouseClick(the<QPushButton>(w, "frm8_cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(display->textCursor().blockNumber(), 0);

    // A hit whose line moved (lines cleared at the top) is found by its text.
    QTextCursor c(display->document());
    c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    auto* list = the<QListView>(w, "frm8_lbAnzeige");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(display->textCursor().block().text(), QStringLiteral("GEB 0816"));
}

TEST_F(SearchWindowTest, TheToolbarButtonOpensTheWindowWithTheKeptQuery)
{
    state->settings.begriff1 = QStringLiteral("STATUS");
    state->settings.option2 = true;
    state->settings.abStart = true;
    EXPECT_TRUE(terminal().context().functions.contains(Fn::Suchen));
    SearchWindow& w = open();
    EXPECT_EQ(the<QLineEdit>(w, "frm8_edSuchen1")->text(), QStringLiteral("STATUS"));
    EXPECT_TRUE(the<QRadioButton>(w, "frm8_opt2")->isChecked());
    EXPECT_TRUE(the<QCheckBox>(w, "frm8_chkAbStart")->isChecked());
    search(w);
    EXPECT_EQ(listed(w), QStringList{"STATUS ok"});
}

} // namespace
