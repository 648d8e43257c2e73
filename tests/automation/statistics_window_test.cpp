#include "terminal/automation/ui/automation_windows.h"
#include "terminal/automation/ui/statistics_window.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/platform/qt_printer.h"

#include "tests/support/find_named.h"
#include "tests/support/xlsx_reader.h"
#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTest>
#include <QTreeWidget>

using namespace tarvex;

namespace {

// The statistics window as the operator reaches it: through the main window's lamp.
class StatisticsWindowTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        clock.set(QDateTime(QDate(2026, 3, 7), QTime(14, 45, 9)));
        terminal().StartVorbereitung();
        main = std::make_unique<MainWindow>(terminal(), serial());
        windows = std::make_unique<AutomationWindows>(rig().context(), main->displayActions(), main.get());
        state->sentStats.setStartText("01.03.2026, 08:00:00");
        state->sentStats.setSlot(29, 10);
        state->receivedStats.setSlot(29, 120);
        state->receivedStats.setSlot(0, 4);
    }
    void TearDown() override
    {
        windows.reset();
        main.reset();
    }

    StatisticsWindow& open()
    {
        QTest::mousePress(findNamed<QLabel>(*main, "frm1_imgStatist"), Qt::LeftButton);
        StatisticsWindow* w = windows->statisticsWindow();
        EXPECT_NE(w, nullptr);
        return *w;
    }
    static QTreeWidget* table(StatisticsWindow& w) { return findNamed<QTreeWidget>(w, "frm21_lvTabelle"); }
    static QStringList row(StatisticsWindow& w, int i)
    {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << table(w)->topLevelItem(i)->text(c);
        return cells;
    }
    // Picks a chart kind in the open menu with the keyboard: Down n times, then Return.
    static void pick(QMenu* menu, int downs)
    {
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
    }

    std::unique_ptr<MainWindow> main;
    std::unique_ptr<AutomationWindows> windows;
};

TEST_F(StatisticsWindowTest, LampOpensOneWindowAndRefreshReadsTheCountersAgain)
{
    StatisticsWindow& w = open();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.objectName(), "frm21");
    EXPECT_EQ(table(w)->topLevelItemCount(), 48);
    EXPECT_EQ(table(w)->headerItem()->text(2), "Empfangen");
    EXPECT_EQ(row(w, 0), (QStringList{"00:00", "0", "4", "4"}));
    EXPECT_EQ(row(w, 29), (QStringList{"14:30", "10", "120", "130"}));
    EXPECT_EQ(row(w, 47), (QStringList{"23:30", "0", "0", "0"}));
    EXPECT_EQ(findNamed<QLabel>(w, "frm21_lbl1")->text(), "Statistik seit 01.03.2026, 08:00:00:");
    EXPECT_EQ(findNamed<QLabel>(w, "frm21_lblRefresh")->text(), "14:45:09");

    state->sentStats.add(29, 5);
    clock.set(QDateTime(QDate(2026, 3, 7), QTime(15, 0, 0)));
    EXPECT_EQ(row(w, 29), (QStringList{"14:30", "10", "120", "130"})); // until refreshed
    QTest::mouseClick(findNamed<QPushButton>(w, "frm21_cmdRefresh"), Qt::LeftButton);
    EXPECT_EQ(row(w, 29), (QStringList{"14:30", "15", "120", "135"}));
    EXPECT_EQ(findNamed<QLabel>(w, "frm21_lblRefresh")->text(), "15:00:00");
    auto* bars = qobject_cast<QBarSeries*>(w.chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->barSets().at(0)->at(29), 15); // the chart follows the refresh

    // The lamp again brings the same window forward.
    EXPECT_EQ(&open(), &w);
    EXPECT_EQ(main->findChildren<StatisticsWindow*>().size(), 1);
    // Its place is kept in the settings when it closes.
    w.setGeometry(30, 40, 900, 500);
    QTest::mouseClick(findNamed<QPushButton>(w, "frm21_cmdBeenden"), Qt::LeftButton);
    EXPECT_EQ(state->settings.statistB, 900);
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("StatistB=900"));
}

TEST_F(StatisticsWindowTest, ResetOnlyAfterYesAndTheLabelShowsTheResetTime)
{
    StatisticsWindow& w = open();
    auto* reset = findNamed<QPushButton>(w, "frm21_cmdReset");
    prompter.addAnswer("No");
    QTest::mouseClick(reset, Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitsabfrage");
    EXPECT_EQ(prompter.records()[0].text, "Wollen Sie die Statistischen Daten zurücksetzen?");
    EXPECT_EQ(prompter.records()[0].buttons, "YesNo");
    EXPECT_EQ(prompter.records()[0].icon, "Question");
    EXPECT_EQ(row(w, 29), (QStringList{"14:30", "10", "120", "130"}));
    EXPECT_EQ(state->receivedStats.slot(29), 120);

    clock.set(QDateTime(QDate(2026, 3, 8), QTime(9, 10, 11)));
    prompter.addAnswer("Yes");
    QTest::mouseClick(reset, Qt::LeftButton);
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(row(w, i).mid(1), (QStringList{"0", "0", "0"})) << i;
    EXPECT_EQ(findNamed<QLabel>(w, "frm21_lbl1")->text(), "Statistik seit 08.03.2026, 09:10:11:");
    EXPECT_EQ(findNamed<QLabel>(w, "frm21_lblRefresh")->text(), "09:10:11");
    EXPECT_EQ(state->receivedStats.startText(), "08.03.2026, 09:10:11");
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(StatisticsWindowTest, ChartStyleChoiceChangesTheSeries)
{
    StatisticsWindow& w = open();
    auto* style = findNamed<QComboBox>(w, "frm21_cbGrafik");
    EXPECT_EQ(style->count(), 3);
    ASSERT_EQ(w.chart()->series().size(), 1);
    EXPECT_NE(qobject_cast<QBarSeries*>(w.chart()->series()[0]), nullptr);

    style->setFocus();
    QTest::keyClick(style, Qt::Key_Down);
    EXPECT_EQ(style->currentText(), "Linien");
    const QList<QAbstractSeries*> lines = w.chart()->series();
    ASSERT_EQ(lines.size(), 2);
    auto* received = qobject_cast<QLineSeries*>(lines[1]);
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->name(), "Empfangen");
    ASSERT_EQ(received->count(), 48);
    EXPECT_EQ(received->at(29).y(), 120);
    EXPECT_EQ(received->at(0).y(), 4);

    QTest::keyClick(style, Qt::Key_Down);
    EXPECT_EQ(style->currentText(), "Strich");
    ASSERT_EQ(w.chart()->series().size(), 1);
    auto* sticks = qobject_cast<QStackedBarSeries*>(w.chart()->series()[0]);
    ASSERT_NE(sticks, nullptr);
    EXPECT_EQ(sticks->barSets().at(1)->at(29), 120);
}

TEST_F(StatisticsWindowTest, ThePickedChartKindReachesTheWorkbook)
{
    StatisticsWindow& w = open();
    auto* button = findNamed<QPushButton>(w, "frm21_cmdMSExcel");
    QMenu* menu = findNamed<QMenu>(w, "frm21_mnuGrafikformat");
    ASSERT_EQ(menu->actions().size(), 13);
    EXPECT_TRUE(menu->actions()[7]->isSeparator());
    EXPECT_EQ(menu->actions()[8]->text(), "2D - Torte");

    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(menu->isVisible());
    pick(menu, 12); // 1 to 7, over the separator, 9 to 13: "2D - Linie"
    EXPECT_FALSE(menu->isVisible());
    ASSERT_EQ(shell.calls.size(), 1);
    const QString path = shell.calls[0].target;
    EXPECT_EQ(path, folders.dataDir() + "Tabellen/Terminalstatistik_2026-03-07_14-45-09.xlsx");
    XlsxReader x(path);
    ASSERT_TRUE(x.ok());
    EXPECT_EQ(x.chartKind(), "lineChart");
    auto cells = x.cells(1);
    EXPECT_DOUBLE_EQ(cells["E32"].number, 130);
    EXPECT_DOUBLE_EQ(cells["E52"].number, 134);

    // Closing the menu without a pick exports the horizontal bars.
    clock.set(QDateTime(QDate(2026, 3, 7), QTime(14, 46, 0)));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(shell.calls.size(), 2);
    XlsxReader bars(shell.calls[1].target);
    ASSERT_TRUE(bars.ok());
    EXPECT_EQ(bars.chartKind(), "barChart/bar");

    // A pie picked from the 3D half.
    QTest::mouseClick(button, Qt::LeftButton);
    pick(menu, 1);
    ASSERT_EQ(shell.calls.size(), 3);
    EXPECT_EQ(XlsxReader(shell.calls[2].target).chartKind(), "pieChart");
    EXPECT_EQ(prompter.records().size(), 0);
}

TEST_F(StatisticsWindowTest, PrintHandsTheListToTheTablePrint)
{
    const QString pdf = programDir.filePath("statistik.pdf");
    QtPrinter printer(pdf);
    main->displayActions().setPrinter(&printer);
    StatisticsWindow& w = open();
    prompter.addAnswer("Yes");
    QTest::mouseClick(findNamed<QPushButton>(w, "frm21_cmdDrucken"), Qt::LeftButton);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Soll die aktuelle Anzeige ausgedruckt werden?!");
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Statistik")) << text.toStdString();
    EXPECT_TRUE(text.contains("Empfangen"));
    EXPECT_TRUE(text.contains(QRegularExpression("14:30\\s+10\\s+120\\s+130"))) << text.toStdString();
    EXPECT_TRUE(text.contains("23:30"));
}

} // namespace
