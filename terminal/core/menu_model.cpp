#include "terminal/core/menu_model.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

#include <map>

namespace tarvex {

namespace MenuModel {

namespace {

template <typename Visit>
void walk(const QStringList& table, Visit&& visit)
{
    for (int slot = 1; slot <= kLastSlot && slot < table.size(); ++slot) {
        const QString& record = table.at(slot);
        if (record.trimmed().isEmpty())
            return;
        visit(leadingInt(DatenPipe(1, record)), record);
    }
}

} // namespace

QList<Submenu> build(const QStringList& table, bool showShortcuts)
{
    std::map<int, Submenu> menus;
    QStringList captions;
    Submenu* current = nullptr;
    walk(table, [&](int kind, const QString& record) {
        if (kind >= 1 && kind <= 98) {
            menus[kind] = Submenu{kind, QString(), {}};
            current = &menus[kind];
            captions << DatenPipe(2, record);
            return;
        }
        if (!current)
            return;
        if (kind == 99) {
            current->entries.append(Entry{true, QString(), 0, QString()});
            return;
        }
        Entry e;
        e.caption = DatenPipe(2, record);
        e.function = leadingInt(DatenPipe(3, record));
        e.description = DatenPipe(4, record);
        const QString shortcut = DatenPipe(5, record);
        if (showShortcuts && !shortcut.isEmpty())
            e.caption += QLatin1Char('\t') + shortcut;
        current->entries.append(e);
    });
    QList<Submenu> bar;
    for (int k = 1; k <= kBarMenus; ++k) {
        const auto it = menus.find(k);
        if (it == menus.end())
            continue;
        Submenu menu = it->second;
        menu.caption = captions.value(k - 1);
        bar.append(menu);
    }
    return bar;
}

QList<int> functions(const QStringList& table)
{
    QList<int> numbers;
    walk(table, [&](int kind, const QString& record) {
        if (kind == 0 || kind > 99)
            numbers << leadingInt(DatenPipe(3, record));
    });
    return numbers;
}

} // namespace MenuModel

} // namespace tarvex
