#pragma once

#include "zendor/progress_view.h"

#include <QWidget>

class QLabel;

namespace zendor {

// frm2: the progress window of the copy and delete functions.
class ProgressWindow : public QWidget, public ProgressView
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void showProgress(const QString& caption, const QString& line1) override;
    void setLine2(const QString& text) override;
    void closeProgress() override;

private:
    QLabel* m_line1;
    QLabel* m_line2;
};

} // namespace zendor
