#include "shared/ui/help_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(HelpFile help, const QString& title, QWidget* parent)
    : QDialog(parent), m_help(std::move(help)), m_index(m_help.index())
{
    setObjectName(QStringLiteral("frmHilfe"));
    setWindowTitle(title);
    setModal(false);
    resize(760, 520);

    m_tabs = new QTabWidget;
    m_contents = new QListWidget;
    m_contents->setObjectName(QStringLiteral("lstInhalt"));
    for (const HelpFile::Topic& topic : m_help.topics()) {
        auto* item = new QListWidgetItem(topic.title, m_contents);
        item->setData(Qt::UserRole, topic.id);
    }
    m_tabs->addTab(m_contents, QStringLiteral("&Inhalt"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    m_indexFilter = new QLineEdit;
    m_indexFilter->setObjectName(QStringLiteral("edIndex"));
    m_indexFilter->setPlaceholderText(QStringLiteral("Suchbegriff eingeben"));
    m_indexList = new QListWidget;
    m_indexList->setObjectName(QStringLiteral("lstIndex"));
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(m_indexList);
    m_tabs->addTab(indexPage, QStringLiteral("In&dex"));
    fillIndex(QString());

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("txtHilfe"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setHtml(m_help.html());

    auto* splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    auto open = [this](QListWidgetItem* item) {
        if (item)
            showTopic(item->data(Qt::UserRole).toString());
    };
    connect(m_contents, &QListWidget::currentItemChanged, this, open);
    connect(m_indexList, &QListWidget::itemActivated, this, open);
    connect(m_indexList, &QListWidget::currentItemChanged, this, open);
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpWindow::fillIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this, open] { open(m_indexList->currentItem()); });
}

void HelpWindow::fillIndex(const QString& filter)
{
    m_indexList->clear();
    for (const HelpFile::IndexEntry& entry : m_index) {
        if (!filter.isEmpty() && !entry.keyword.startsWith(filter, Qt::CaseInsensitive))
            continue;
        auto* item = new QListWidgetItem(entry.keyword, m_indexList);
        item->setData(Qt::UserRole, entry.topicId);
    }
    if (m_indexList->count() > 0)
        m_indexList->setCurrentRow(0);
}

void HelpWindow::showTopic(const QString& id)
{
    m_current = id;
    m_browser->scrollToAnchor(id);
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentIndex(0);
    if (m_contents->count() > 0) {
        m_contents->setCurrentRow(0);
        showTopic(m_contents->item(0)->data(Qt::UserRole).toString());
    }
    show();
    raise();
    activateWindow();
    m_contents->setFocus();
}

void HelpWindow::showIndex()
{
    m_tabs->setCurrentIndex(1);
    show();
    raise();
    activateWindow();
    m_indexFilter->setFocus();
    m_indexFilter->selectAll();
}

void HelpWindow::showKeyword(const QString& keyword)
{
    const QString id = m_help.topicFor(keyword);
    if (id.isEmpty()) {
        showContents();
        return;
    }
    m_tabs->setCurrentIndex(0);
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(Qt::UserRole).toString() == id) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentRow(i);
        }
    }
    showTopic(id);
    show();
    raise();
    activateWindow();
}
