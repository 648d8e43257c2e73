#include "quillet/ui/options_dialog.h"

#include "quillet/messages.h"
#include "shared/platform/prompter.h"
#include "quillet/ui/conversion_dialogs.h"
#include "quillet/ui/extension_dialog.h"
#include "quillet/ui/user_menu_page.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillet {

OptionsDialog::OptionsDialog(const OptionsValues& values, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_values(values), m_prompter(prompter)
{
    setObjectName(QStringLiteral("dlgOptionen"));
    setWindowTitle(QStringLiteral("Optionen"));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabSeiten"));
    tabs->addTab(generalPage(), QStringLiteral("Allgemein"));
    tabs->addTab(filePage(), QStringLiteral("Datei"));
    tabs->addTab(emailPage(), QStringLiteral("Email"));
    tabs->addTab(extensionPage(), QStringLiteral("Dateierweiterung"));
    m_conversionPage = new ConversionPage(m_values.conversions, m_prompter, tabs);
    tabs->addTab(m_conversionPage, QStringLiteral("Umwandlung"));
    tabs->addTab(registryPage(), QStringLiteral("Register"));
    m_userMenu = new UserMenuPage(m_values.userMenu);
    tabs->addTab(m_userMenu, QStringLiteral("Benutzermenü"));
    m_tabs = tabs;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAbbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QWidget* OptionsDialog::generalPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_undoLimit = new QSpinBox(page);
    m_undoLimit->setObjectName(QStringLiteral("spnRueckgaengig"));
    m_undoLimit->setRange(1, 32767);
    m_undoLimit->setValue(m_values.undoLimit);
    form->addRow(QStringLiteral("Anzahl der &Möglichkeiten für Rückgängig:"), m_undoLimit);

    m_maxText = new QCheckBox(QStringLiteral("Ma&ximale Zeichenanzahl pro Text:"), page);
    m_maxText->setObjectName(QStringLiteral("chkMaxZeichen"));
    m_maxText->setChecked(m_values.maxText);
    m_maxCount = new QLineEdit(QString::number(m_values.maxCount), page);
    m_maxCount->setObjectName(QStringLiteral("edMaxZeichen"));
    m_maxCount->setValidator(new QIntValidator(1, EditorSettings::kMaxTextLimit, m_maxCount));
    m_maxCount->setEnabled(!m_values.maxText);
    connect(m_maxText, &QCheckBox::toggled, m_maxCount, [this](bool on) { m_maxCount->setEnabled(!on); });
    form->addRow(m_maxText, m_maxCount);

    auto* customise = new QPushButton(QStringLiteral("An&passen..."), page);
    customise->setObjectName(QStringLiteral("cmdAnpassen"));
    connect(customise, &QPushButton::clicked, this, &OptionsDialog::customiseToolbar);
    form->addRow(QStringLiteral("&Symbolleiste:"), customise);

    m_saveWindow = new QCheckBox(QStringLiteral("&Fenster-Koordinaten beim schließen sichern"), page);
    m_saveWindow->setObjectName(QStringLiteral("chkFensterSichern"));
    m_saveWindow->setChecked(m_values.saveWindowPositions);
    m_savePage = new QCheckBox(QStringLiteral("Seiten-&Einrichtung beim schließen sichern"), page);
    m_savePage->setObjectName(QStringLiteral("chkSeiteSichern"));
    m_savePage->setChecked(m_values.savePageSettings);
    form->addRow(m_saveWindow);
    form->addRow(m_savePage);
    return page;
}

void OptionsDialog::customiseToolbar()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgSymbolleiste"));
    dialog.setWindowTitle(QStringLiteral("Symbolleiste"));
    auto* showText = new QCheckBox(QStringLiteral("Schaltflächen&text anzeigen"), &dialog);
    showText->setObjectName(QStringLiteral("chkSymbolText"));
    showText->setChecked(m_values.toolText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(showText);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted)
        m_values.toolText = showText->isChecked();
}

QWidget* OptionsDialog::filePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* backupRow = new QHBoxLayout;
    m_autoSave = new QCheckBox(QStringLiteral("Sicherungskopie erstellen alle"), page);
    m_autoSave->setObjectName(QStringLiteral("chkSicherung"));
    m_autoSave->setChecked(m_values.autoSave);
    m_autoSaveMinutes = new QSpinBox(page);
    m_autoSaveMinutes->setObjectName(QStringLiteral("spnMinuten"));
    m_autoSaveMinutes->setRange(1, 59);
    m_autoSaveMinutes->setValue(m_values.autoSaveMinutes);
    backupRow->addWidget(m_autoSave);
    backupRow->addWidget(m_autoSaveMinutes);
    backupRow->addWidget(new QLabel(QStringLiteral("Minuten"), page));
    backupRow->addStretch();
    layout->addLayout(backupRow);

    m_defaultDirectory = new QCheckBox(QStringLiteral("&Verzeichnis als Standard fixieren"), page);
    m_defaultDirectory->setObjectName(QStringLiteral("chkVerzeichnis"));
    m_defaultDirectory->setChecked(m_values.defaultDirectory);
    layout->addWidget(m_defaultDirectory);
    auto* dirRow = new QHBoxLayout;
    m_directory = new QLineEdit(m_values.directory, page);
    m_directory->setObjectName(QStringLiteral("edVerzeichnis"));
    auto* browse = new QPushButton(QStringLiteral("&Suchen..."), page);
    browse->setObjectName(QStringLiteral("cmdVerzeichnisSuchen"));
    dirRow->addWidget(m_directory);
    dirRow->addWidget(browse);
    layout->addLayout(dirRow);
    m_directoryStatus = new QLabel(page);
    m_directoryStatus->setObjectName(QStringLiteral("lblVerzeichnisStatus"));
    layout->addWidget(m_directoryStatus);
    layout->addStretch();

    connect(browse, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.kind = FileDialogKind::Folder;
        request.title = QStringLiteral("Wählen Sie ein Verzeichnis aus, daß bei jedem Start von Quillet als "
                                       "Standardverzeichnis geladen wird.");
        request.startDir = m_directory->text();
        const QStringList chosen = m_prompter.fileDialog(request);
        if (!chosen.isEmpty())
            m_directory->setText(chosen.constFirst());
    });
    connect(m_directory, &QLineEdit::textChanged, this, &OptionsDialog::updateDirectoryStatus);
    updateDirectoryStatus();
    return page;
}

void OptionsDialog::updateDirectoryStatus()
{
    const QString dir = m_directory->text().trimmed();
    if (!dir.isEmpty() && QFileInfo(dir).isDir())
        m_directoryStatus->setText(QStringLiteral("Verzeichnis: ") + dir);
    else
        m_directoryStatus->setText(QStringLiteral("Kein Verzeichnis!"));
}

QWidget* OptionsDialog::emailPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    const auto field = [page](const QString& name, const QString& value) {
        auto* edit = new QLineEdit(value, page);
        edit->setObjectName(name);
        return edit;
    };
    m_emailName = field(QStringLiteral("edEmailName"), m_values.emailName);
    m_emailAddress = field(QStringLiteral("edEmailAdresse"), m_values.emailAddress);
    m_emailSubject = field(QStringLiteral("edEmailBetreff"), m_values.emailSubject);
    m_emailText = field(QStringLiteral("edEmailText"), m_values.emailText);
    form->addRow(QStringLiteral("&Name:"), m_emailName);
    form->addRow(QStringLiteral("A&dresse:"), m_emailAddress);
    form->addRow(QStringLiteral("&Betreff:"), m_emailSubject);
    form->addRow(QStringLiteral("&Text:"), m_emailText);
    return page;
}

QWidget* OptionsDialog::extensionPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_extensions = new QTreeWidget(page);
    m_extensions->setObjectName(QStringLiteral("lvErweiterungen"));
    m_extensions->setHeaderLabels({QStringLiteral("Beschreibung"), QStringLiteral("Dateierweiterung")});
    m_extensions->setRootIsDecorated(false);
    layout->addWidget(m_extensions);
    auto* buttons = new QHBoxLayout;
    const auto button = [page, buttons](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, page);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("cmdHinzufuegen"), QStringLiteral("&Hinzufügen")), &QPushButton::clicked, this,
            &OptionsDialog::addExtension);
    connect(button(QStringLiteral("cmdLoeschen"), QStringLiteral("&Löschen")), &QPushButton::clicked, this,
            &OptionsDialog::deleteExtension);
    connect(button(QStringLiteral("cmdBearbeiten"), QStringLiteral("&Bearbeiten")), &QPushButton::clicked, this,
            &OptionsDialog::editExtension);
    layout->addLayout(buttons);
    fillExtensions();
    return page;
}

void OptionsDialog::fillExtensions()
{
    m_extensions->clear();
    for (const FileTypeList::Row& row : m_values.fileTypes)
        m_extensions->addTopLevelItem(new QTreeWidgetItem({row.description, row.pattern}));
}

void OptionsDialog::addExtension()
{
    ExtensionDialog dialog(QString(), QString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_values.fileTypes.append({dialog.description(), dialog.pattern()});
    fillExtensions();
}

void OptionsDialog::editExtension()
{
    const int row = m_extensions->indexOfTopLevelItem(m_extensions->currentItem());
    if (row < 0)
        return;
    FileTypeList::Row& entry = m_values.fileTypes[row];
    ExtensionDialog dialog(entry.description, entry.pattern, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    entry = {dialog.description(), dialog.pattern()};
    fillExtensions();
}

void OptionsDialog::deleteExtension()
{
    const int row = m_extensions->indexOfTopLevelItem(m_extensions->currentItem());
    if (row < 0)
        return;
    const BoxAnswer answer =
        m_prompter.message(QStringLiteral("Erweiterung löschen"),
                           Messages::deleteExtension(m_values.fileTypes[row].description), BoxButtons::YesNo,
                           BoxIcon::Question, 2);
    if (answer != BoxAnswer::Yes)
        return;
    m_values.fileTypes.removeAt(row);
    fillExtensions();
}

QWidget* OptionsDialog::registryPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("Register"), page);
    m_orgReg = new QRadioButton(QStringLiteral("O&riginal Registrierung von Windows NotePad benutzen"), group);
    m_orgReg->setObjectName(QStringLiteral("optOriginalRegistrierung"));
    m_ownReg = new QRadioButton(QStringLiteral("&Eigene Registrierung benutzen"), group);
    m_ownReg->setObjectName(QStringLiteral("optEigeneRegistrierung"));
    (m_values.useOrgReg ? m_orgReg : m_ownReg)->setChecked(true);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_orgReg);
    groupLayout->addWidget(m_ownReg);
    layout->addWidget(group);

    // Who opens text files; neither option is set when that could not be found out.
    auto* association = new QGroupBox(QStringLiteral("Registrierte Verknüpfung (*.txt)"), page);
    m_assocQuillet = new QRadioButton(QStringLiteral("&Quillet als Standard verwenden"), association);
    m_assocQuillet->setObjectName(QStringLiteral("optQuilletStandard"));
    m_assocSystem = new QRadioButton(QStringLiteral("Windows &NotePad als Standard verwenden"), association);
    m_assocSystem->setObjectName(QStringLiteral("optSystemStandard"));
    m_assocQuillet->setChecked(m_values.association == FileAssociation::Owner::Quillet);
    m_assocSystem->setChecked(m_values.association == FileAssociation::Owner::System);
    auto* associationLayout = new QVBoxLayout(association);
    associationLayout->addWidget(m_assocQuillet);
    associationLayout->addWidget(m_assocSystem);
    layout->addWidget(association);
    layout->addStretch();
    return page;
}

void OptionsDialog::showUserMenuPage()
{
    m_tabs->setCurrentWidget(m_userMenu);
}

OptionsValues OptionsDialog::values() const
{
    OptionsValues v = m_values;
    v.undoLimit = m_undoLimit->value();
    v.maxText = m_maxText->isChecked();
    bool ok = false;
    const int count = m_maxCount->text().toInt(&ok);
    v.maxCount = ok ? count : EditorSettings::kMaxTextLimit;
    v.saveWindowPositions = m_saveWindow->isChecked();
    v.savePageSettings = m_savePage->isChecked();
    v.autoSave = m_autoSave->isChecked();
    v.autoSaveMinutes = m_autoSaveMinutes->value();
    v.defaultDirectory = m_defaultDirectory->isChecked();
    v.directory = m_directory->text().trimmed();
    v.emailName = m_emailName->text();
    v.emailAddress = m_emailAddress->text();
    v.emailSubject = m_emailSubject->text();
    v.emailText = m_emailText->text();
    v.useOrgReg = m_orgReg->isChecked();
    v.conversions = m_conversionPage->conversions();
    v.userMenu = m_userMenu->entries();
    if (m_assocQuillet->isChecked())
        v.association = FileAssociation::Owner::Quillet;
    else if (m_assocSystem->isChecked())
        v.association = FileAssociation::Owner::System;
    return v;
}

} // namespace quillet
