#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quillet {

// "Gehe zu": shows the number of lines and asks for a line; OK only for 1 to that number.
class GoToDialog : public QDialog {
    Q_OBJECT
public:
    GoToDialog(int lineCount, int currentLine, QWidget* parent);
    int line() const;

private:
    void updateOk();

    int m_lineCount;
    QLineEdit* m_line;
    QPushButton* m_ok;
};

} // namespace quillet
