#pragma once

#include <QList>
#include <QString>

class QSettings;

namespace quillet {

// The user menu: text snippets kept in the group "UserMenu" of the editor's own settings,
// one value each (value name = menu text, value = the text to insert).
//
// Settings files list a group's values sorted by name, so the order of the entries is kept
// beside the group as the list "UserMenuOrder" (the names in menu order, as the options
// page writes them). Values the list does not name, added by other means, follow in the
// order the settings give them.
class UserMenu {
public:
    static constexpr int kMaxLength = 255;  // characters of a name or a text

    struct Entry {
        QString name;  // menu text
        QString text;  // inserted at the caret
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // The entries of the menu: text values with a name and a text (both cut to kMaxLength);
    // values of other types and empty ones are left out.
    static QList<Entry> read(QSettings& own);
    // Replaces the stored entries by `entries` (empty ones are not written).
    static void write(QSettings& own, const QList<Entry>& entries);

    // `entries` with `entry` added at the end, or put in place of the entry of the same name.
    static QList<Entry> withEntry(QList<Entry> entries, const Entry& entry);

    // Value names cannot hold the settings' group separators; these are stored escaped.
    static QString keyOf(const QString& name);
    static QString nameOf(const QString& key);
};

} // namespace quillet
