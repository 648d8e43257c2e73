#include "quillet/ui/go_to_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace quillet {

GoToDialog::GoToDialog(int lineCount, int currentLine, QWidget* parent)
    : QDialog(parent), m_lineCount(lineCount)
{
    setObjectName(QStringLiteral("dlgGeheZu"));
    setWindowTitle(QStringLiteral("Gehe zu"));
    auto* count = new QLineEdit(QString::number(lineCount), this);
    count->setObjectName(QStringLiteral("edAnzahlZeilen"));
    count->setReadOnly(true);
    m_line = new QLineEdit(QString::number(currentLine), this);
    m_line->setObjectName(QStringLiteral("edZeile"));
    m_line->selectAll();
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Anzahl aller Zeilen:"), count);
    form->addRow(QStringLiteral("Gehe zu Zeile:"), m_line);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_line, &QLineEdit::textChanged, this, &GoToDialog::updateOk);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateOk();
}

int GoToDialog::line() const
{
    bool ok = false;
    const int n = m_line->text().trimmed().toInt(&ok);
    return ok ? n : 0;
}

void GoToDialog::updateOk()
{
    const int n = line();
    m_ok->setEnabled(n >= 1 && n <= m_lineCount);
}

} // namespace quillet
