#include "terminal/options/ui/option_page.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace tarvex {

std::optional<OptionPage::Problem> OptionPage::numberProblem(QLineEdit* field, const QString& label, int min, int max,
                                                             bool emptyMeansDefault)
{
    const QString text = field->text().trimmed();
    if (text.isEmpty() && emptyMeansDefault)
        return std::nullopt;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const bool isNumber = digits.match(text).hasMatch();
    const int value = isNumber ? text.toInt() : 0;
    if (isNumber && value >= min && value <= max)
        return std::nullopt;
    QString message = QStringLiteral("Der Wert für '") + label + QStringLiteral("' ist nicht zulässig: ")
        + (text.isEmpty() ? QStringLiteral("(leer)") : text) + QStringLiteral("\r\rBitte geben Sie eine ganze Zahl von ")
        + QString::number(min) + QStringLiteral(" bis ") + QString::number(max) + QStringLiteral(" ein");
    message += emptyMeansDefault ? QStringLiteral(" oder lassen Sie das Feld für den Standardwert leer.")
                                 : QStringLiteral(".");
    return Problem{field, message};
}

int OptionPage::numberValue(const QLineEdit* field)
{
    return field->text().trimmed().toInt();
}

void OptionPage::showNumber(QLineEdit* field, int value, bool emptyMeansDefault)
{
    field->setText(value == 0 && emptyMeansDefault ? QString() : QString::number(value));
}

} // namespace tarvex
