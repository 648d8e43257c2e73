#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tarvex {

class DisplayActions;
class SearchWindow;
struct TerminalContext;

// Function 225: the search window frm8 over the display. One window, kept between
// openings with its hits.
class SearchWindows : public QObject
{
    Q_OBJECT
public:
    SearchWindows(TerminalContext& context, DisplayActions& display, QWidget* parent);
    ~SearchWindows() override;

    void SuchenDaten();
    SearchWindow* window() const;

private:
    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QWidget* m_parent;
    QPointer<SearchWindow> m_window;
};

} // namespace tarvex
