#pragma once

#include <QString>

#include <optional>

namespace zendor {

// What the chart options dialog presets and returns. Positions are 1-based list
// positions; 0 means no entry selected.
struct ChartOptions
{
    QString title;
    int groupingPosition = 0;
    int chartPosition = 0;
};

// frm3: title, grouping and chart kind chosen before the table is built.
class ChartOptionsView
{
public:
    virtual ~ChartOptionsView() = default;
    // No value when the user cancels.
    virtual std::optional<ChartOptions> ask(const ChartOptions& preset, bool participantMode) = 0;
};

} // namespace zendor
