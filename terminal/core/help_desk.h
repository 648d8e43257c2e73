#pragma once

#include <QString>

#include <functional>

namespace tarvex {

// Where the windows open the program's help: at a keyword (one of HelpKeyword's). The help
// window installs itself as the viewer; before that, or without a help file, asking does
// nothing.
class HelpDesk
{
public:
    using Viewer = std::function<void(const QString& keyword)>;

    void setViewer(Viewer viewer) { m_viewer = std::move(viewer); }
    void open(const QString& keyword) const
    {
        if (m_viewer)
            m_viewer(keyword);
    }

private:
    Viewer m_viewer;
};

} // namespace tarvex
