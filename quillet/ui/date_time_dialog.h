#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace quillet {

// "Datum und Uhrzeit": the current date and time in every format; OK, or a double click on
// a line, chooses the line to insert.
class DateTimeDialog : public QDialog {
    Q_OBJECT
public:
    DateTimeDialog(const QStringList& lines, QWidget* parent);
    // The chosen line (the first one until another is chosen).
    QString chosen() const;

private:
    QListWidget* m_list = nullptr;
};

} // namespace quillet
