#pragma once

#include <QComboBox>
#include <QString>

// Small helpers shared by the terminal's windows.
namespace WidgetHelpers {

// Gives a control its name from the window layout (the objectName tests find it by).
template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

// Selects the item that starts with the code as two digits ("13 Return" for 13).
inline void selectByCode(QComboBox* box, int code)
{
    const QString prefix = QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(prefix)) {
            box->setCurrentIndex(i);
            return;
        }
    }
}

} // namespace WidgetHelpers
