#pragma once

#include "terminal/tools/data_search.h"

#include <QDialog>
#include <QFutureWatcher>

#include <atomic>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace tarvex {

class DisplayActions;
struct TerminalContext;

// The search window frm8: one or two terms with their combination and flags, the hits of
// the display's lines in a list, and a hit shown in the display when it is clicked or
// reached with "Weiter". The search runs on a copy of the display's text on a worker
// thread, so a long display does not stop the window; a new search or closing the window
// drops a search still running. The terms and flags are kept in the settings.
class SearchWindow : public QDialog
{
    Q_OBJECT
public:
    SearchWindow(TerminalContext& context, DisplayActions& display, QWidget* parent);
    ~SearchWindow() override;

    void frm8_cmdSuchen_Click();
    void frm8_cmdWeiter_Click();
    // Puts the caret into the first term, ready to type.
    void focusFirstTerm();
    // Blocks until a running search has listed its hits (tests, benchmarks).
    void waitForSearch();

    const QList<DataSearch::Hit>& hits() const { return m_hits; }

signals:
    void searchDone();

protected:
    void done(int result) override;

private:
    DataSearch::Query query() const;
    void showQuery(const DataSearch::Query& q);
    void searchFinished();
    void goToHit(int index);
    void updateSearchButton();

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QList<DataSearch::Hit> m_hits;
    // The running number of the display's first line when it was searched.
    qint64 m_searchedFirst = 0;
    bool m_lineNumbers = false;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    QFutureWatcher<QList<DataSearch::Hit>> m_watcher;

    QLineEdit* m_term1 = nullptr;
    QLineEdit* m_term2 = nullptr;
    QRadioButton* m_either = nullptr;
    QRadioButton* m_both = nullptr;
    QRadioButton* m_firstNotSecond = nullptr;
    QCheckBox* m_case = nullptr;
    QCheckBox* m_atStart = nullptr;
    QCheckBox* m_numbers = nullptr;
    QListView* m_list = nullptr;
    QStringListModel* m_model = nullptr;
    QLabel* m_found = nullptr;
    QLabel* m_hitText = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace tarvex
