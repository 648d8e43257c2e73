#pragma once

#include "shared/ui/widget_helpers.h"
#include "terminal/automation/statistics_export.h"

#include <QDialog>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace tarvex {

class DisplayActions;
struct TerminalContext;

// frm21: the characters sent and received per half hour since the start time, as a list
// and a chart (bars, lines or sticks). Refresh reads the counters again; reset clears them
// after a question; the spreadsheet button asks for the chart kind in a pop-up menu and
// hands the list to the spreadsheet program; print hands the list to the table print.
// Modeless; it comes back where the operator left it (kept in the settings).
class StatisticsWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Style { Bars, Lines, Sticks };

    StatisticsWindow(TerminalContext& context, DisplayActions& display, QWidget* parent = nullptr);

    // Fills the list and redraws the chart from the counters; stamps the refresh time.
    void refresh();
    // Asks, then clears both counter tables and restarts them now.
    void reset();
    // The spreadsheet export: checks that a workbook can be written, then opens the
    // chart-kind menu at the button; the export runs when the menu closes.
    void exportToSpreadsheet();
    void print();

    QChart* chart() const;
    QMenu* chartKindMenu() const { return m_chartKinds; }

    // Stores the window's place in the settings before it closes.
    void done(int result) override;

private:
    void drawChart();
    WidgetHelpers::WindowPlace place();
    void chartKindChosen(int position);

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    StatisticsExport m_export;
    QLabel* m_since = nullptr;
    QLabel* m_refreshed = nullptr;
    QTreeWidget* m_table = nullptr;
    QComboBox* m_style = nullptr;
    QChartView* m_chartView = nullptr;
    QPushButton* m_spreadsheet = nullptr;
    QMenu* m_chartKinds = nullptr;
    // The menu position picked while the menu is open (0: none yet); -1 when no export waits.
    int m_pickedPosition = -1;
};

} // namespace tarvex
