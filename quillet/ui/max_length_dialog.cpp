#include "quillet/ui/max_length_dialog.h"

#include "quillet/editor_settings.h"
#include "quillet/messages.h"
#include "shared/platform/prompter.h"
#include "quillet/size_format.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

MaxLengthDialog::MaxLengthDialog(qsizetype length, int limit, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_initial(limit)
{
    setObjectName(QStringLiteral("dlgMaxTextlaenge"));
    setWindowTitle(QStringLiteral("Maximale Textlänge"));
    const auto len = static_cast<quint64>(length);
    auto* lengthLabel = new QLabel(SizeFormat::format(len), this);
    lengthLabel->setObjectName(QStringLiteral("lblAnzahl"));
    auto* percentLabel = new QLabel(SizeFormat::percent(len, static_cast<quint64>(limit)), this);
    percentLabel->setObjectName(QStringLiteral("lblProzent"));
    m_limit = new QLineEdit(QString::number(limit), this);
    m_limit->setObjectName(QStringLiteral("edMaxAnzahl"));
    m_limitSize = new QLabel(SizeFormat::format(static_cast<quint64>(limit)), this);
    m_limitSize->setObjectName(QStringLiteral("lblMaxAnzahl"));
    auto* possible = new QLabel(SizeFormat::format(EditorSettings::kMaxTextLimit), this);
    possible->setObjectName(QStringLiteral("lblMoeglich"));
    m_maximum = new QCheckBox(QStringLiteral("Anzahl der ma&ximalen Zeichen pro Text:"), this);
    m_maximum->setObjectName(QStringLiteral("chkMaximum"));
    m_maximum->setChecked(limit == EditorSettings::kMaxTextLimit);
    m_limit->setEnabled(!m_maximum->isChecked());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Aktuelle Zeichenanzahl:"), lengthLabel);
    form->addRow(QStringLiteral("Prozentuale Zeichnanzahl:"), percentLabel);
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(m_limit);
    limitRow->addWidget(m_limitSize);
    form->addRow(QStringLiteral("Aktuelle Maximale Zeichnanzahl:"), limitRow);
    form->addRow(QStringLiteral("Maximale mögliche Zeichnanzahl:"), possible);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAbbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Abbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_maximum);
    layout->addWidget(buttons);

    connect(m_maximum, &QCheckBox::toggled, this, [this](bool on) { m_limit->setEnabled(!on); });
    connect(m_limit, &QLineEdit::editingFinished, this, [this] { checkField(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &MaxLengthDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool MaxLengthDialog::checkField()
{
    // Leaving the field and pressing OK both check it; one message is enough.
    if (m_limit->text() == m_checkedText)
        return true;
    bool ok = false;
    const qlonglong n = m_limit->text().trimmed().toLongLong(&ok);
    if (!ok || n < 1 || n > EditorSettings::kMaxTextLimit) {
        m_prompter.message(QStringLiteral("Maximale Textlänge"),
                           Messages::limitRange(QString::number(EditorSettings::kMaxTextLimit)),
                           BoxButtons::Ok, BoxIcon::Exclamation);
        m_limit->setText(QString::number(m_initial));
        return false;
    }
    m_limitSize->setText(SizeFormat::format(static_cast<quint64>(n)));
    m_checkedText = m_limit->text();
    return true;
}

int MaxLengthDialog::limit() const
{
    if (m_maximum->isChecked())
        return EditorSettings::kMaxTextLimit;
    bool ok = false;
    const int n = m_limit->text().trimmed().toInt(&ok);
    return ok && n >= 1 && n <= EditorSettings::kMaxTextLimit ? n : m_initial;
}

void MaxLengthDialog::accept()
{
    if (!m_maximum->isChecked() && !checkField())
        return;
    QDialog::accept();
}

} // namespace quillet
