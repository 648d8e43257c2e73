#pragma once

#include <QString>

// The small progress window of the copy and delete functions.
class ProgressView
{
public:
    virtual ~ProgressView() = default;
    virtual void showProgress(const QString& caption, const QString& line1) = 0;
    virtual void setLine2(const QString& text) = 0;
    virtual void closeProgress() = 0;
};
