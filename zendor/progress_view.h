#pragma once

#include <QString>

namespace zendor {

// The small progress window of the copy and delete functions.
class ProgressView
{
public:
    virtual ~ProgressView() = default;
    virtual void showProgress(const QString& caption, const QString& line1) = 0;
    virtual void setLine2(const QString& text) = 0;
    virtual void closeProgress() = 0;
};

// Shows the progress window for the lifetime of a copy or delete run (when one is wanted
// and the program has one) and takes it down however the run ends.
class ProgressScope
{
public:
    ProgressScope(ProgressView* view, const QString& caption, const QString& line1)
        : m_view(view)
    {
        if (m_view)
            m_view->showProgress(caption, line1);
    }
    ~ProgressScope() { close(); }
    // Takes the window down now (before a summary box, say).
    void close()
    {
        if (m_view)
            m_view->closeProgress();
        m_view = nullptr;
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    ProgressView* view() const { return m_view; }

private:
    ProgressView* m_view;
};

} // namespace zendor
