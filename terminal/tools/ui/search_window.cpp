#include "terminal/tools/ui/search_window.h"

#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/display/ui/display_view.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace tarvex {

using WidgetHelpers::named;

SearchWindow::SearchWindow(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display)
{
    setObjectName(QStringLiteral("frm8"));
    setWindowTitle(QStringLiteral("Daten suchen"));
    setModal(false);

    auto* terms = new QGridLayout;
    m_term1 = named(new QLineEdit(this), "frm8_edSuchen1");
    m_term2 = named(new QLineEdit(this), "frm8_edSuchen2");
    auto* label1 = new QLabel(QStringLiteral("Begriff &1:"), this);
    auto* label2 = new QLabel(QStringLiteral("Begriff &2:"), this);
    label1->setBuddy(m_term1);
    label2->setBuddy(m_term2);
    terms->addWidget(label1, 0, 0);
    terms->addWidget(m_term1, 0, 1);
    terms->addWidget(label2, 1, 0);
    terms->addWidget(m_term2, 1, 1);

    auto* combineBox = new QGroupBox(QStringLiteral("Verknüpfung"), this);
    auto* combine = new QVBoxLayout(combineBox);
    m_either = named(new QRadioButton(QStringLiteral("Begriff 1 &oder Begriff 2"), combineBox), "frm8_opt1");
    m_both = named(new QRadioButton(QStringLiteral("Begriff 1 &und Begriff 2"), combineBox), "frm8_opt2");
    m_firstNotSecond = named(new QRadioButton(QStringLiteral("Begriff 1 &ohne Begriff 2"), combineBox), "frm8_opt3");
    for (QRadioButton* r : {m_either, m_both, m_firstNotSecond})
        combine->addWidget(r);
    auto* flagsBox = new QGroupBox(QStringLiteral("Optionen"), this);
    auto* flags = new QVBoxLayout(flagsBox);
    m_case = named(new QCheckBox(QStringLiteral("&Groß-/Kleinschreibung beachten"), flagsBox), "frm8_chkGrossKlein");
    m_atStart = named(new QCheckBox(QStringLiteral("Nur am Zeilen&anfang"), flagsBox), "frm8_chkAbStart");
    m_numbers = named(new QCheckBox(QStringLiteral("&Zeilennummern anzeigen"), flagsBox), "frm8_chkZeile");
    for (QCheckBox* c : {m_case, m_atStart, m_numbers})
        flags->addWidget(c);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(combineBox);
    boxes->addWidget(flagsBox);

    m_model = new QStringListModel(this);
    m_list = named(new QListView(this), "frm8_lbAnzeige");
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_found = named(new QLabel(this), "frm8_lbl1");
    m_hitText = named(new QLabel(this), "frm8_lbl20");
    m_hitText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_search = named(new QPushButton(QStringLiteral("&Suchen"), this), "frm8_cmdSuchen");
    m_next = named(new QPushButton(QStringLiteral("&Weiter"), this), "frm8_cmdWeiter");
    auto* copy = named(new QPushButton(QStringLiteral("&Kopieren"), this), "frm8_cmdKopieren");
    auto* print = named(new QPushButton(QStringLiteral("&Drucken"), this), "frm8_cmdDrucken");
    auto* close = named(new QPushButton(QStringLiteral("Schl&ießen"), this), "frm8_cmdBeenden");
    auto* exportButtons =
        new ExportButtons(context, QStringLiteral("frm8"), [this] { return ExportContent::list(m_model->stringList()); }, this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_search, m_next, copy, print}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    exportButtons->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm8"), [this] { m_ctx.help.open(HelpKeyword::Suchen); }));
    buttons->addStretch(1);
    buttons->addWidget(close);
    m_search->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(terms);
    layout->addLayout(boxes);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_found);
    layout->addWidget(m_hitText);
    layout->addLayout(buttons);

    showQuery(DataSearch::Query::fromSettings(m_ctx.state.settings));
    m_found->setText(QStringLiteral("Gefunden: 0"));
    updateSearchButton();

    for (QLineEdit* e : {m_term1, m_term2})
        connect(e, &QLineEdit::textChanged, this, &SearchWindow::updateSearchButton);
    connect(m_search, &QPushButton::clicked, this, &SearchWindow::frm8_cmdSuchen_Click);
    connect(m_next, &QPushButton::clicked, this, &SearchWindow::frm8_cmdWeiter_Click);
    connect(copy, &QPushButton::clicked, this, [this] { m_display.Anzeige(1, m_model->stringList()); });
    connect(print, &QPushButton::clicked, this,
            [this] { m_display.printLines(QStringLiteral("Suchergebnisse"), m_model->stringList()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &QListView::clicked, this, [this](const QModelIndex& i) { goToHit(i.row()); });
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &SearchWindow::searchFinished);
    resize(620, 520);
}

SearchWindow::~SearchWindow()
{
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
}

void SearchWindow::done(int result)
{
    if (m_cancel)
        m_cancel->store(true);
    QDialog::done(result);
}

DataSearch::Query SearchWindow::query() const
{
    DataSearch::Query q;
    q.term1 = m_term1->text();
    q.term2 = m_term2->text();
    q.combine = m_both->isChecked()             ? DataSearch::Combine::Both
                : m_firstNotSecond->isChecked() ? DataSearch::Combine::FirstNotSecond
                                                : DataSearch::Combine::Either;
    q.caseSensitive = m_case->isChecked();
    q.atStart = m_atStart->isChecked();
    q.lineNumbers = m_numbers->isChecked();
    return q;
}

void SearchWindow::showQuery(const DataSearch::Query& q)
{
    m_term1->setText(q.term1);
    m_term2->setText(q.term2);
    (q.combine == DataSearch::Combine::Both             ? m_both
     : q.combine == DataSearch::Combine::FirstNotSecond ? m_firstNotSecond
                                                        : m_either)
        ->setChecked(true);
    m_case->setChecked(q.caseSensitive);
    m_atStart->setChecked(q.atStart);
    m_numbers->setChecked(q.lineNumbers);
}

void SearchWindow::focusFirstTerm()
{
    m_term1->setFocus();
    m_term1->selectAll();
}

void SearchWindow::updateSearchButton()
{
    m_search->setEnabled(!m_term1->text().isEmpty());
}

void SearchWindow::frm8_cmdSuchen_Click()
{
    const DataSearch::Query q = query();
    if (q.term1.isEmpty())
        return;
    q.toSettings(m_ctx.state.settings);
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
    m_hits.clear();
    m_model->setStringList({});
    m_hitText->clear();
    m_lineNumbers = q.lineNumbers;
    m_found->setText(QStringLiteral("Suche läuft..."));
    m_search->setEnabled(false);
    m_next->setEnabled(false);
    // The worker gets a copy of the text; the display may go on growing meanwhile.
    QString text = m_display.display()->toPlainText();
    m_searchedFirst = m_display.display()->lines().firstNumber();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancel = cancel;
    m_watcher.setFuture(QtConcurrent::run([text = std::move(text), q, cancel]() mutable {
        text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        return DataSearch::search(DataSearch::splitLines(text), q, cancel.get());
    }));
}

void SearchWindow::waitForSearch()
{
    m_watcher.waitForFinished();
    QCoreApplication::sendPostedEvents(&m_watcher);
}

void SearchWindow::searchFinished()
{
    if (m_cancel && m_cancel->load())
        return;
    m_hits = m_watcher.result();
    m_model->setStringList(DataSearch::entries(m_hits, m_lineNumbers));
    m_found->setText(QStringLiteral("Gefunden: ") + QString::number(m_hits.size()));
    m_next->setEnabled(!m_hits.isEmpty());
    // The search button waits for a changed term.
    m_search->setEnabled(false);
    emit searchDone();
}

void SearchWindow::frm8_cmdWeiter_Click()
{
    if (m_hits.isEmpty())
        return;
    const int current = m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
    const int next = current + 1 < m_hits.size() ? current + 1 : 0;
    m_list->setCurrentIndex(m_model->index(next));
    goToHit(next);
}

void SearchWindow::goToHit(int index)
{
    if (index < 0 || index >= m_hits.size())
        return;
    const DataSearch::Hit& hit = m_hits[index];
    m_hitText->setText(hit.text);
    DisplayView* display = m_display.display();
    const DisplayLines& lines = display->lines();
    // The line where it was found (it keeps its number while older lines go), unless the
    // display has changed since; then the first line with its text.
    const int line = lines.indexOf(m_searchedFirst + hit.line - 1);
    if (line >= 0 && lines.at(line).text == hit.text) {
        display->selectInLine(line, 0, 0);
        return;
    }
    const DisplayPosition found = lines.find(hit.text);
    if (found.line >= 0)
        display->selectInLine(lines.indexOf(found.line), found.column, found.column);
}

} // namespace tarvex
