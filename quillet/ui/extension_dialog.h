#pragma once

#include <QDialog>

class QLineEdit;

namespace quillet {

// Adds or edits one row of the file-type list: "Bezeichnung" and "Erweiterung".
class ExtensionDialog : public QDialog {
    Q_OBJECT
public:
    ExtensionDialog(const QString& description, const QString& pattern, QWidget* parent);
    QString description() const;
    QString pattern() const;

private:
    QLineEdit* m_description;
    QLineEdit* m_pattern;
};

} // namespace quillet
