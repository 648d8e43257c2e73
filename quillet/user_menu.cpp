#include "quillet/user_menu.h"

#include <QSettings>
#include <QStringList>

namespace quillet {
namespace {

const QString kGroup = QStringLiteral("UserMenu");
const QString kOrder = QStringLiteral("UserMenuOrder");

} // namespace

QString UserMenu::keyOf(const QString& name)
{
    QString key = name;
    key.replace(QLatin1Char('%'), QLatin1String("%25"));
    key.replace(QLatin1Char('/'), QLatin1String("%2F"));
    key.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    return key;
}

QString UserMenu::nameOf(const QString& key)
{
    QString name = key;
    name.replace(QLatin1String("%2F"), QLatin1String("/"), Qt::CaseInsensitive);
    name.replace(QLatin1String("%5C"), QLatin1String("\\"), Qt::CaseInsensitive);
    name.replace(QLatin1String("%25"), QLatin1String("%"));
    return name;
}

QList<UserMenu::Entry> UserMenu::read(QSettings& own)
{
    const QStringList listed = own.value(kOrder).toStringList();
    own.beginGroup(kGroup);
    const QStringList stored = own.childKeys();
    QStringList keys;
    for (const QString& name : listed) {
        const QString key = keyOf(name);
        if (stored.contains(key) && !keys.contains(key))
            keys.append(key);
    }
    for (const QString& key : stored) {
        if (!keys.contains(key))
            keys.append(key);
    }
    QList<Entry> entries;
    for (const QString& key : keys) {
        const QVariant value = own.value(key);
        if (value.typeId() != QMetaType::QString)
            continue;
        const Entry entry{nameOf(key).left(kMaxLength), value.toString().left(kMaxLength)};
        if (!entry.name.isEmpty() && !entry.text.isEmpty())
            entries.append(entry);
    }
    own.endGroup();
    return entries;
}

void UserMenu::write(QSettings& own, const QList<Entry>& entries)
{
    own.remove(kGroup);
    QStringList order;
    own.beginGroup(kGroup);
    for (const Entry& entry : entries) {
        if (entry.name.isEmpty() || entry.text.isEmpty())
            continue;
        own.setValue(keyOf(entry.name), entry.text);
        order.append(entry.name);
    }
    own.endGroup();
    if (order.isEmpty())
        own.remove(kOrder);
    else
        own.setValue(kOrder, order);
}

QList<UserMenu::Entry> UserMenu::withEntry(QList<Entry> entries, const Entry& entry)
{
    for (Entry& e : entries) {
        if (e.name == entry.name) {
            e.text = entry.text;
            return entries;
        }
    }
    entries.append(entry);
    return entries;
}

} // namespace quillet
