#pragma once

#include <QString>
#include <QWidget>

#include <optional>

class QLineEdit;

namespace tarvex {

struct KundeSettings;

// One page of the options window. The window hands every page the same working copy of the
// settings: load() shows it, apply() writes the page's controls back into it. Only the
// window's OK takes the copy over, writes kunde.ini and tells the rest of the program; Cancel
// drops it. Pages hold no rules of their own beyond what their controls show.
class OptionPage : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // A field whose text can't be taken over, and what the operator is told about it.
    struct Problem
    {
        QWidget* field = nullptr;
        QString text;
    };

    virtual void load(const KundeSettings& settings) = 0;
    virtual void apply(KundeSettings& settings) const = 0;
    // The first field apply() could not take as typed; the window then keeps it open.
    virtual std::optional<Problem> check() const { return std::nullopt; }

protected:
    // A whole number field: digits only, within min..max. An empty field is 0 where
    // emptyMeansDefault (the program's own default), a problem otherwise.
    static std::optional<Problem> numberProblem(QLineEdit* field, const QString& label, int min, int max,
                                                bool emptyMeansDefault = false);
    // The value of a field numberProblem() accepted (0 when empty).
    static int numberValue(const QLineEdit* field);
    // Shows a number; 0 stays empty where it stands for the program's default.
    static void showNumber(QLineEdit* field, int value, bool emptyMeansDefault = false);
};

} // namespace tarvex
