#pragma once

#include <QComboBox>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

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

// Gives a list its column headers and widths from a table of columns, each with a `title`
// (UTF-8) and a `width` in twips (15 to a pixel).
template <typename Columns>
void setTwipColumns(QTreeWidget* list, const Columns& columns)
{
    QStringList titles;
    for (const auto& c : columns)
        titles << QString::fromUtf8(c.title);
    list->setHeaderLabels(titles);
    int i = 0;
    for (const auto& c : columns)
        list->setColumnWidth(i++, c.width / 15);
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

} // namespace WidgetHelpers
