#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

class Prompter;

namespace quillet {


// "Maximale Textlänge": the current sheet's length, fill level and text limit.
class MaxLengthDialog : public QDialog {
    Q_OBJECT
public:
    MaxLengthDialog(qsizetype length, int limit, Prompter& prompter, QWidget* parent);
    // The limit chosen (the maximum when the box is checked).
    int limit() const;

    void accept() override;

private:
    bool checkField();

    Prompter& m_prompter;
    int m_initial;
    QCheckBox* m_maximum;
    QLineEdit* m_limit;
    QLabel* m_limitSize;
    QString m_checkedText;
};

} // namespace quillet
