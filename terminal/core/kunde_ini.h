#pragma once

#include "terminal/core/kunde_settings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ProfileDocument;

namespace tarvex {

enum class SettingType { Bool, Int, Text };

// One key of kunde.ini and the setting it holds.
struct SettingKey
{
    QString section;
    QString key;
    SettingType type;
    std::function<QString(const KundeSettings&)> get; // the value as stored
    std::function<void(KundeSettings&, const QString&)> set;
    // The file holds the value in the password's scrambled form (new key at every write);
    // get and set see it plain.
    bool scrambled = false;
};

// The owner of kunde.ini: the key table and the whole-file read and write.
class KundeIni
{
public:
    // `scrambleKeys` gives the key of every scrambled write (default: PasswordCode::randomKeys()).
    explicit KundeIni(QString path, std::function<int()> scrambleKeys = {});

    // Every key, in file order.
    static const QList<SettingKey>& table();

    // Mode 1 reads every key (the current value is the default of a missing key),
    // mode 2 writes every key. Mode 2 throws RuntimeError when the file can't be written.
    // A scrambled value that does not read back (damaged or edited by hand) reads as empty;
    // its key ("Section/Key") is added to `damaged`.
    void IniDateien(int mode, KundeSettings& settings, QStringList* damaged = nullptr) const;

    // The same on a document in memory: every key present is read into `settings`;
    // every key is written into `doc` (other lines stay as they are).
    void readFrom(const ProfileDocument& doc, KundeSettings& settings, QStringList* damaged = nullptr) const;
    void writeTo(ProfileDocument& doc, const KundeSettings& settings) const;

    const QString& path() const { return m_path; }

    // Booleans are stored as "-1"/"0" and true when their numeric value is not 0.
    static QString boolText(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }
    static bool boolValue(const QString& text);

private:
    QString m_path;
    std::function<int()> m_scrambleKeys;
};

} // namespace tarvex
