#include "quillet/ui/extension_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

ExtensionDialog::ExtensionDialog(const QString& description, const QString& pattern, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgErweiterung"));
    setWindowTitle(QStringLiteral("Dateierweiterung"));
    m_description = new QLineEdit(description, this);
    m_description->setObjectName(QStringLiteral("edBezeichnung"));
    m_pattern = new QLineEdit(pattern, this);
    m_pattern->setObjectName(QStringLiteral("edErweiterung"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Bezeichnung:"), m_description);
    form->addRow(QStringLiteral("&Erweiterung"), m_pattern);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Abbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // "|" separates the stored fields, so it cannot be part of either.
    const auto update = [this, ok] {
        ok->setEnabled(!m_description->text().trimmed().isEmpty() && !m_pattern->text().trimmed().isEmpty() &&
                       !m_description->text().contains(u'|') && !m_pattern->text().contains(u'|'));
    };
    connect(m_description, &QLineEdit::textChanged, this, update);
    connect(m_pattern, &QLineEdit::textChanged, this, update);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    update();
}

QString ExtensionDialog::description() const { return m_description->text().trimmed(); }
QString ExtensionDialog::pattern() const { return m_pattern->text().trimmed(); }

} // namespace quillet
