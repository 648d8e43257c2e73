#include "zendor/ui/chart_options_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zendor;

TEST(ChartOptionsDialogTest, PresetsAndChoicesThroughTheNamedControls)
{
    ChartOptionsDialog dlg;
    QTimer::singleShot(0, &dlg, [&] {
        auto* title = dlg.findChild<QLineEdit*>("frm3_edTitel");
        auto* grouping = dlg.findChild<QComboBox*>("frm3_cbZeitintervall");
        auto* chart = dlg.findChild<QComboBox*>("frm3_cbGrafikformat");
        ASSERT_TRUE(title && grouping && chart);
        EXPECT_EQ(title->text(), "Vorgabe");
        EXPECT_EQ(grouping->currentText(), "Nach Monaten sortiert");
        EXPECT_FALSE(grouping->isEnabled());
        EXPECT_EQ(chart->currentText(), "2D - Torte");
        EXPECT_EQ(chart->count(), 13);
        title->setText("Neu");
        chart->setCurrentIndex(12);
        dlg.findChild<QPushButton*>("frm3_cmdOK")->click();
    });
    const auto r = dlg.ask(ChartOptions{"Vorgabe", 2, 9}, true);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->title, "Neu");
    EXPECT_EQ(r->groupingPosition, 2);
    EXPECT_EQ(r->chartPosition, 13);

    QTimer::singleShot(0, &dlg, [&] { dlg.close(); }); // the close button cancels
    EXPECT_FALSE(dlg.ask(ChartOptions{"x", 1, 1}, false).has_value());
}
