#include "quillet/user_conversions.h"

#include "shared/cp1252.h"

#include <QSettings>
#include <algorithm>

namespace quillet {
namespace {

const QString kGroup = QStringLiteral("Conversion");
const QString kDescription = QStringLiteral("Description");
const QString kData = QStringLiteral("Data");

QString settingsKey(const QString& name, const QString& value)
{
    return kGroup + u'/' + name + u'/' + value;
}

} // namespace

QByteArray UserConversion::identity()
{
    QByteArray table(256, Qt::Uninitialized);
    for (int code = 0; code < 256; ++code)
        table[code] = static_cast<char>(code);
    return table;
}

QByteArray UserConversion::complete(const QByteArray& data)
{
    QByteArray table = identity();
    std::copy_n(data.constBegin(), std::min<qsizetype>(data.size(), 256), table.begin());
    return table;
}

QList<UserConversion> UserConversions::read(QSettings& own)
{
    QList<UserConversion> list;
    own.beginGroup(kGroup);
    const QStringList names = own.childGroups();
    own.endGroup();
    for (const QString& name : names) {
        UserConversion c;
        c.name = name;
        c.description = own.value(settingsKey(name, kDescription)).toString();
        c.data = UserConversion::complete(own.value(settingsKey(name, kData)).toByteArray());
        list.append(c);
    }
    std::sort(list.begin(), list.end(),
              [](const UserConversion& a, const UserConversion& b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
    return list;
}

void UserConversions::store(QSettings& own, const QList<UserConversion>& wanted)
{
    const QList<UserConversion> stored = read(own);
    for (const UserConversion& old : stored) {
        const bool kept = std::any_of(wanted.begin(), wanted.end(),
                                      [&old](const UserConversion& c) { return c.name == old.name; });
        if (!kept)
            own.remove(kGroup + u'/' + old.name);
    }
    for (const UserConversion& c : wanted) {
        const auto same = std::find(stored.begin(), stored.end(), c);
        if (same != stored.end() || !isValidName(c.name))
            continue;
        own.setValue(settingsKey(c.name, kDescription), c.description);
        own.setValue(settingsKey(c.name, kData), UserConversion::complete(c.data));
    }
    own.sync();
}

bool UserConversions::isValidName(const QString& name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

QString UserConversions::pickRow(int code)
{
    const QString hex = QString::number(code, 16).toUpper().rightJustified(2, u'0');
    return QString(Cp1252::toUnicode(static_cast<unsigned char>(code))) + QStringLiteral(" \t")
           + QString::number(code).rightJustified(3, u'0') + QStringLiteral("\t0x") + hex;
}

QString UserConversions::entryRow(int code, int replacement)
{
    return pickRow(code) + u'\t' + pickRow(replacement);
}

} // namespace quillet
