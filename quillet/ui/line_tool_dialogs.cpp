#include "quillet/ui/line_tool_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillet {
namespace {

void addButtons(QDialog* dialog, QVBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAbbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Abbrechen"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

QSpinBox* countBox(QWidget* parent, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QStringLiteral("spnAnzahl"));
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

LineWidthDialog::LineWidthDialog(const QString& title, int longest, QWidget* parent)
    : QDialog(parent), m_longestValue(std::max(longest, 1))
{
    setObjectName(QStringLiteral("dlgZeilenlaenge"));
    setWindowTitle(title);
    m_count = countBox(this, 1, std::max(65535, m_longestValue), m_longestValue);
    m_longest = new QCheckBox(QStringLiteral("Wie &längste Zeile"), this);
    m_longest->setObjectName(QStringLiteral("chkLaengsteZeile"));
    connect(m_longest, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_count->setValue(m_longestValue);
        m_count->setEnabled(!on);
    });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Anzahl"), m_count);
    form->addRow(m_longest);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addButtons(this, layout);
}

int LineWidthDialog::width() const
{
    return m_longest->isChecked() ? m_longestValue : m_count->value();
}

TabReplaceDialog::TabReplaceDialog(Kind kind, QWidget* parent) : QDialog(parent)
{
    const bool tabs = kind == Kind::TabsToBlanks;
    setObjectName(tabs ? QStringLiteral("dlgTabulatorenErsetzen") : QStringLiteral("dlgLeerzeichenErsetzen"));
    setWindowTitle(tabs ? QStringLiteral("Tabulatoren ersetzen") : QStringLiteral("Leerzeichen ersetzen"));
    m_count = countBox(this, 1, 260, tabs ? 8 : 4);
    m_leading = new QRadioButton(tabs ? QStringLiteral("Tabulatoren nur am &Zeilenanfang ersetzen")
                                      : QStringLiteral("Leerzeichen nur am &Zeilenanfang ersetzen"),
                                 this);
    m_leading->setObjectName(QStringLiteral("optZeilenanfang"));
    auto* whole = new QRadioButton(tabs ? QStringLiteral("Tabulatoren in gesamter Zeile ersetzen")
                                        : QStringLiteral("Leerzeichen in gesamter Zeile ersetzen"),
                                   this);
    whole->setObjectName(QStringLiteral("optGesamteZeile"));
    whole->setChecked(true);
    auto* form = new QFormLayout;
    form->addRow(tabs ? QStringLiteral("Maximale &Anzahl Leerzeichen") : QStringLiteral("&Anzahl der Leerzeichen"),
                 m_count);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_leading);
    layout->addWidget(whole);
    addButtons(this, layout);
}

int TabReplaceDialog::count() const
{
    return m_count->value();
}

bool TabReplaceDialog::leadingOnly() const
{
    return m_leading->isChecked();
}

} // namespace quillet
