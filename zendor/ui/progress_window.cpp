#include "zendor/ui/progress_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace zendor {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_line1(new QLabel(this)), m_line2(new QLabel(this))
{
    setObjectName(QStringLiteral("frm2"));
    m_line1->setObjectName(QStringLiteral("frm2_lbl1"));
    m_line2->setObjectName(QStringLiteral("frm2_lbl2"));
    m_line2->setMinimumWidth(420);
    m_line2->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_line1);
    layout->addWidget(m_line2);
}

void ProgressWindow::showProgress(const QString& caption, const QString& line1)
{
    setWindowTitle(caption);
    m_line1->setText(line1);
    m_line2->clear();
    show();
    QCoreApplication::processEvents();
}

void ProgressWindow::setLine2(const QString& text)
{
    m_line2->setText(text);
    QCoreApplication::processEvents();
}

void ProgressWindow::closeProgress()
{
    hide();
}

} // namespace zendor
