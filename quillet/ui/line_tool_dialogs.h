#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace quillet {

// "Zeilenlänge angleichen" and "Blocksatz": the width the lines get. "Wie längste Zeile"
// takes the longest line of the range, which is also the value proposed.
class LineWidthDialog : public QDialog {
    Q_OBJECT
public:
    LineWidthDialog(const QString& title, int longest, QWidget* parent);
    int width() const;

private:
    QSpinBox* m_count = nullptr;
    QCheckBox* m_longest = nullptr;
    int m_longestValue = 0;
};

// "Tabulatoren ersetzen" (tabs become blanks) and "Leerzeichen ersetzen" (blanks become
// tabs): the number of blanks, 1 to 260, and whether only the line start is handled.
class TabReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { TabsToBlanks, BlanksToTabs };

    TabReplaceDialog(Kind kind, QWidget* parent);
    int count() const;
    bool leadingOnly() const;

private:
    QSpinBox* m_count = nullptr;
    QRadioButton* m_leading = nullptr;
};

} // namespace quillet
