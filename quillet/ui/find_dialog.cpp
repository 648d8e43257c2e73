#include "quillet/ui/find_dialog.h"

#include "quillet/find_engine.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillet {

FindDialog::FindDialog(Mode mode, QWidget* parent)
    : QDialog(parent), m_mode(mode)
{
    setObjectName(mode == Mode::Find ? QStringLiteral("dlgSuchen") : QStringLiteral("dlgErsetzen"));
    setWindowTitle(mode == Mode::Find ? QStringLiteral("Suchen") : QStringLiteral("Ersetzen"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* fields = new QGridLayout;
    auto* searchLabel = new QLabel(QStringLiteral("&Suchen nach:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edSuchen"));
    m_search->setMaxLength(FindEngine::kBufferLength - 1);
    searchLabel->setBuddy(m_search);
    fields->addWidget(searchLabel, 0, 0);
    fields->addWidget(m_search, 0, 1);
    if (mode == Mode::Replace) {
        auto* replaceLabel = new QLabel(QStringLiteral("Ersetzen &durch:"), this);
        m_replace = new QLineEdit(this);
        m_replace->setObjectName(QStringLiteral("edErsetzen"));
        m_replace->setMaxLength(FindEngine::kBufferLength - 1);
        replaceLabel->setBuddy(m_replace);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_replace, 1, 1);
        connect(m_replace, &QLineEdit::textEdited, this, &FindDialog::inputChanged);
    }
    m_wholeWord = new QCheckBox(QStringLiteral("Nu&r ganzes Wort suchen"), this);
    m_wholeWord->setObjectName(QStringLiteral("chkGanzesWort"));
    m_matchCase = new QCheckBox(QStringLiteral("Groß-/Kleins&chreibung"), this);
    m_matchCase->setObjectName(QStringLiteral("chkGrossKlein"));

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    auto* options = new QHBoxLayout;
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(m_wholeWord);
    boxes->addWidget(m_matchCase);
    options->addLayout(boxes);
    if (mode == Mode::Find) {
        auto* direction = new QGroupBox(QStringLiteral("Suchrichtung"), this);
        m_up = new QRadioButton(QStringLiteral("Nach &oben"), direction);
        m_up->setObjectName(QStringLiteral("optOben"));
        m_down = new QRadioButton(QStringLiteral("Nach &unten"), direction);
        m_down->setObjectName(QStringLiteral("optUnten"));
        m_down->setChecked(true);
        auto* dirLayout = new QHBoxLayout(direction);
        dirLayout->addWidget(m_up);
        dirLayout->addWidget(m_down);
        options->addWidget(direction);
        connect(m_up, &QRadioButton::toggled, this, &FindDialog::inputChanged);
    }
    left->addLayout(options);

    auto* buttons = new QVBoxLayout;
    m_findNext = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    m_findNext->setObjectName(QStringLiteral("cmdWeitersuchen"));
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::findNextRequested);
    if (mode == Mode::Replace) {
        m_replaceOne = new QPushButton(QStringLiteral("&Ersetzen"), this);
        m_replaceOne->setObjectName(QStringLiteral("cmdErsetzen"));
        m_replaceAll = new QPushButton(QStringLiteral("A&lles ersetzen"), this);
        m_replaceAll->setObjectName(QStringLiteral("cmdAllesErsetzen"));
        buttons->addWidget(m_replaceOne);
        buttons->addWidget(m_replaceAll);
        connect(m_replaceOne, &QPushButton::clicked, this, &FindDialog::replaceRequested);
        connect(m_replaceAll, &QPushButton::clicked, this, &FindDialog::replaceAllRequested);
    }
    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &FindDialog::close);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &FindDialog::updateButtons);
    connect(m_search, &QLineEdit::textEdited, this, &FindDialog::inputChanged);
    connect(m_wholeWord, &QCheckBox::toggled, this, &FindDialog::inputChanged);
    connect(m_matchCase, &QCheckBox::toggled, this, &FindDialog::inputChanged);
    updateButtons();
}

void FindDialog::setValues(const QString& search, const QString& replace, bool wholeWord, bool matchCase, bool down)
{
    const QSignalBlocker blockWhole(m_wholeWord);
    const QSignalBlocker blockCase(m_matchCase);
    m_search->setText(search);
    m_search->selectAll();
    if (m_replace)
        m_replace->setText(replace);
    m_wholeWord->setChecked(wholeWord);
    m_matchCase->setChecked(matchCase);
    if (m_down) {
        const QSignalBlocker blockUp(m_up);
        (down ? m_down : m_up)->setChecked(true);
    }
}

QString FindDialog::searchText() const { return m_search->text(); }
QString FindDialog::replaceText() const { return m_replace ? m_replace->text() : QString(); }
bool FindDialog::wholeWord() const { return m_wholeWord->isChecked(); }
bool FindDialog::matchCase() const { return m_matchCase->isChecked(); }
bool FindDialog::down() const { return !m_down || m_down->isChecked(); }

void FindDialog::updateButtons()
{
    const bool any = !m_search->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replaceOne)
        m_replaceOne->setEnabled(any);
    if (m_replaceAll)
        m_replaceAll->setEnabled(any);
}

void FindDialog::closeEvent(QCloseEvent* event)
{
    emit closed();
    QDialog::closeEvent(event);
}

void FindDialog::reject()
{
    close();
}

} // namespace quillet
