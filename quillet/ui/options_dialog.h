#pragma once

#include "quillet/options_values.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

class Prompter;

namespace quillet {

class ConversionPage;
class UserMenuPage;

// "Optionen": the pages "Allgemein", "Datei", "Email", "Dateierweiterung", "Umwandlung",
// "Register" and "Benutzermenü".
// It edits a copy of the values; the window writes them when the dialog is accepted.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const OptionsValues& values, Prompter& prompter, QWidget* parent);
    OptionsValues values() const;
    // Shows the page "Benutzermenü" (the user menu's "Menü bearbeiten" opens the dialog there).
    void showUserMenuPage();

private:
    QWidget* generalPage();
    QWidget* filePage();
    QWidget* emailPage();
    QWidget* extensionPage();
    QWidget* registryPage();
    void updateDirectoryStatus();
    void fillExtensions();
    void addExtension();
    void editExtension();
    void deleteExtension();
    void customiseToolbar();

    OptionsValues m_values;
    Prompter& m_prompter;
    QSpinBox* m_undoLimit = nullptr;
    QCheckBox* m_maxText = nullptr;
    QLineEdit* m_maxCount = nullptr;
    QCheckBox* m_saveWindow = nullptr;
    QCheckBox* m_savePage = nullptr;
    QCheckBox* m_autoSave = nullptr;
    QSpinBox* m_autoSaveMinutes = nullptr;
    QCheckBox* m_defaultDirectory = nullptr;
    QLineEdit* m_directory = nullptr;
    QLabel* m_directoryStatus = nullptr;
    QLineEdit* m_emailName = nullptr;
    QLineEdit* m_emailAddress = nullptr;
    QLineEdit* m_emailSubject = nullptr;
    QLineEdit* m_emailText = nullptr;
    QTreeWidget* m_extensions = nullptr;
    QRadioButton* m_orgReg = nullptr;
    QRadioButton* m_ownReg = nullptr;
    ConversionPage* m_conversionPage = nullptr;
    QRadioButton* m_assocQuillet = nullptr;
    QRadioButton* m_assocSystem = nullptr;
    QTabWidget* m_tabs = nullptr;
    UserMenuPage* m_userMenu = nullptr;
};

} // namespace quillet
