#pragma once

#include "zendor/excel/chart_options_view.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace zendor {

// frm3: title, grouping and chart kind for the spreadsheet table. The window's close
// button counts as cancel.
class ChartOptionsDialog : public QDialog, public ChartOptionsView
{
    Q_OBJECT
public:
    explicit ChartOptionsDialog(QWidget* parent = nullptr);

    std::optional<ChartOptions> ask(const ChartOptions& preset, bool participantMode) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* m_title;
    QComboBox* m_grouping;
    QComboBox* m_chart;
};

} // namespace zendor
