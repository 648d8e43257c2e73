#include "quillet/ui/print_progress.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

PrintProgress::PrintProgress(const QString& documentName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDrucken"));
    setWindowTitle(QStringLiteral("Editor"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(documentName, this);
    name->setObjectName(QStringLiteral("lblDokument"));
    name->setTextFormat(Qt::PlainText);
    name->setAlignment(Qt::AlignHCenter);
    auto* text = new QLabel(QStringLiteral("wird gedruckt."), this);
    text->setObjectName(QStringLiteral("lblDruckt"));
    text->setAlignment(Qt::AlignHCenter);
    m_cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    m_cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    layout->addWidget(name);
    layout->addWidget(text);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, &PrintProgress::cancelRequested);
}

void PrintProgress::reject()
{
    // Escape or the window's close button: the same as "Abbrechen"; the job closes the window.
    emit cancelRequested();
}

} // namespace quillet
