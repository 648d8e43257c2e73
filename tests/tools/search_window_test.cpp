#include "terminal/core/function_numbers.h"
#include "terminal/display/ui/display_view.h"
#include "terminal/tools/ui/search_window.h"
#include "terminal/tools/ui/search_windows.h"

#include "tests/support/find_named.h"
#include "tests/tools/program_fixture.h"
#include "tests/terminal/terminal_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

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
    DisplayView* display = program->window->display();
    const auto caretText = [display] { return display->lines().at(display->cursorLine()).text; };
    QTest::mouseClick(the<QPushButton>(w, "frm8_cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(display->cursorLine(), 0);
    EXPECT_EQ(the<QLabel>(w, "frm8_lbl20")->text(), QStringLiteral("GEB 0815 Amt"));
    QTest::mouseClick(the<QPushButton>(w, "frm8_cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(display->cursorLine(), 4);
    // After the last hit it starts again at the first.
    QTest::mouseClick(the<QPushButton>(w, "frm8_cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(display->cursorLine(), 0);

    // A hit whose line moved (the oldest line dropped) is still found on its line.
    display->setMaximumLines(5);
    ASSERT_EQ(display->lines().at(0).text, QStringLiteral("STATUS ok"));
    auto* list = the<QListView>(w, "frm8_lbAnzeige");
    const auto clickHit = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
    };
    clickHit(1);
    EXPECT_EQ(display->cursorLine(), 3);
    EXPECT_EQ(caretText(), QStringLiteral("GEB 0816"));
    // A display written anew is searched for the hit's text, and the caret goes where it starts.
    display->clear();
    program->window->appendDisplay(QStringLiteral("vorher\r\nx GEB 0816\r\nGEB 0816\r\n"));
    clickHit(1);
    EXPECT_EQ(display->cursorLine(), 1);
    EXPECT_EQ(display->cursor().column, 2);
    // A hit whose text is gone leaves the caret where it is.
    display->clear();
    program->window->appendDisplay(QStringLiteral("anderes\r\n"));
    display->selectInLine(0, 3, 3);
    clickHit(0);
    EXPECT_EQ(display->cursor().column, 3);
}

TEST_F(SearchWindowTest, AHitFarUpALongDisplayIsSelectedAndScrolledIntoView)
{
    DisplayView* display = program->window->display();
    display->setMaximumLines(5000);
    QString many;
    for (int i = 0; i < 3000; ++i)
        many += QStringLiteral("Datensatz %1\r\n").arg(i, 4, 10, QLatin1Char('0'));
    program->window->appendDisplay(many);
    // Arriving text keeps the end in view.
    ASSERT_GT(display->firstVisibleLine(), 2900);
    SearchWindow& w = open();
    QTest::keyClicks(the<QLineEdit>(w, "frm8_edSuchen1"), "Datensatz 0042");
    search(w);
    ASSERT_EQ(listed(w), QStringList{"Datensatz 0042"});
    auto* list = the<QListView>(w, "frm8_lbAnzeige");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(display->cursorLine(), 5 + 42);
    EXPECT_LE(display->firstVisibleLine(), 5 + 42);
    EXPECT_GT(display->firstVisibleLine() + display->verticalScrollBar()->pageStep(), 5 + 42);
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
