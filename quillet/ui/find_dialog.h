#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillet {

// The modeless "Suchen" and "Ersetzen" dialogs. The window reads the fields on every
// request; any change of the input marks a new search.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    FindDialog(Mode mode, QWidget* parent);

    Mode mode() const { return m_mode; }
    void setValues(const QString& search, const QString& replace, bool wholeWord, bool matchCase, bool down);
    QString searchText() const;
    QString replaceText() const;
    bool wholeWord() const;
    bool matchCase() const;
    bool down() const;

signals:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();
    void inputChanged();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void updateButtons();

    Mode m_mode;
    QLineEdit* m_search;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext;
    QPushButton* m_replaceOne = nullptr;
    QPushButton* m_replaceAll = nullptr;
};

} // namespace quillet
