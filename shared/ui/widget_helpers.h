#pragma once

#include "shared/number_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeySequence>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

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

// The place of a window as the settings keep it: left, top, width, height.
struct WindowPlace
{
    int& x;
    int& y;
    int& width;
    int& height;
};

// Puts a window where the operator left it; without a stored size it gets the default size,
// offset from its parent's corner.
inline void placeWindow(QWidget* window, const WindowPlace& place, QSize defaultSize, const QWidget* parent)
{
    if (place.width > 0 && place.height > 0) {
        window->setGeometry(place.x, place.y, place.width, place.height);
        return;
    }
    window->resize(defaultSize);
    if (parent)
        window->move(parent->geometry().topLeft() + QPoint(40, 60));
}

// Keeps the window's place in the settings.
inline void rememberPlace(const QWidget* window, const WindowPlace& place)
{
    const QRect g = window->geometry();
    place.x = g.x();
    place.y = g.y();
    place.width = g.width();
    place.height = g.height();
}

// A column of a list window: its title (UTF-8) and its width in twips (15 to a pixel).
struct TwipColumn
{
    const char* title;
    int width;
};

// Gives a list its column headers and widths from a table of columns; a column is never
// narrower than its title.
template <typename Columns>
void setTwipColumns(QTreeWidget* list, const Columns& columns)
{
    QStringList titles;
    for (const auto& c : columns)
        titles << QString::fromUtf8(c.title);
    list->setHeaderLabels(titles);
    const QFontMetrics metrics = list->fontMetrics();
    int i = 0;
    for (const auto& c : columns) {
        const int least = metrics.horizontalAdvance(titles.at(i) + QStringLiteral("00")) + 8;
        list->setColumnWidth(i++, qMax(c.width / 15, least));
    }
}

// A check box's state as a flag field ("1" or "0"), and back (any number but 0 is set).
inline QString flagText(const QCheckBox* box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}
inline void setFlag(QCheckBox* box, const QString& value)
{
    box->setChecked(leadingNumber(value) != 0.0);
}

// The cell texts of a list's rows, in the list's order.
inline QList<QStringList> rowTexts(const QTreeWidget* list)
{
    QList<QStringList> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        rows.append(cells);
    }
    return rows;
}

// A window's "Hilfe" button (<form>_cmdHilfe): it and F1 in the window open the window's
// help topic.
inline QPushButton* helpButton(QWidget* window, const QString& form, std::function<void()> open)
{
    auto* button = new QPushButton(QStringLiteral("&Hilfe"), window);
    button->setObjectName(form + QStringLiteral("_cmdHilfe"));
    button->setAutoDefault(false);
    button->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(button, &QPushButton::clicked, window, [open = std::move(open)] { open(); });
    return button;
}

} // namespace WidgetHelpers
