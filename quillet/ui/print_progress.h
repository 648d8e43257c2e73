#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet {

// The window shown while a document prints: caption "Editor", the document's name and
// "wird gedruckt.", and "&Abbrechen". Any way of closing it asks to cancel.
class PrintProgress : public QDialog {
    Q_OBJECT
public:
    explicit PrintProgress(const QString& documentName, QWidget* parent = nullptr);

    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

public slots:
    void reject() override;

private:
    QPushButton* m_cancel;
};

} // namespace quillet
