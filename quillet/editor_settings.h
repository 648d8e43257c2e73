#pragma once

#include <QSettings>
#include <QString>
#include <optional>
#include <span>

namespace quillet {

// The editor's persistent values with their names, types, keys and defaults. Values of the
// "own" key always live in the editor's own settings; values of the "active" key live in the
// shared notepad settings when fUseOrgReg is 1.
class EditorSettings {
public:
    static constexpr int kMaxTextLimit = 268435455;

    enum class Type { Number, Text };
    enum class Key { Own, Active };
    struct Value {
        const char* name;
        Type type;
        Key key;
        int numberDefault;   // numbers
        bool hasDefault;     // false: "system default" / not read
    };

    // The caller keeps both QSettings alive; tests pass files in a temporary folder.
    EditorSettings(QSettings& own, QSettings& shared);

    static std::span<const Value> table();
    static const Value* find(const QString& name);

    bool useOrgReg() const;
    // The number, or the default when missing or not a number. Values without a default
    // (window rectangle) give nothing when missing.
    std::optional<int> numberIfSet(const QString& name) const;
    int number(const QString& name) const;
    QString text(const QString& name) const;
    void setNumber(const QString& name, int value);
    void setText(const QString& name, const QString& value);
    void remove(const QString& name);
    void sync();
    // The own key itself, for its subkeys (the user conversions and the user menu).
    QSettings& ownSettings() const { return m_own; }

    // The text limit from fMaxText and iMaxCount.
    int textLimit() const;
    static int limitFrom(int maxTextFlag, int maxCount);
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& paths);

private:
    QSettings& settingsFor(const Value& value) const;
    QString textDefault(const QString& name) const;

    QSettings& m_own;
    QSettings& m_shared;
};

} // namespace quillet
