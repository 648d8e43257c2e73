#include "quillet/ui/date_time_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

DateTimeDialog::DateTimeDialog(const QStringList& lines, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgDatumUhrzeit"));
    setWindowTitle(QStringLiteral("Datum und Uhrzeit"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstFormate"));
    m_list->addItems(lines);
    if (m_list->count() > 0) {
        m_list->setCurrentRow(0);
        // Every format in view at once.
        m_list->setMinimumHeight(m_list->sizeHintForRow(0) * m_list->count() + 2 * m_list->frameWidth() + 4);
        m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + 24);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAbbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_list->setFocus();
}

QString DateTimeDialog::chosen() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

} // namespace quillet
