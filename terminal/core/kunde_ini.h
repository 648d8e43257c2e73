#pragma once

#include "terminal/core/kunde_settings.h"

#include <QList>
#include <QString>

#include <functional>

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
};

// The owner of kunde.ini: the key table and the whole-file read and write.
class KundeIni
{
public:
    explicit KundeIni(QString path);

    // Every key, in file order.
    static const QList<SettingKey>& table();

    // Mode 1 reads every key (the current value is the default of a missing key),
    // mode 2 writes every key. Mode 2 throws RuntimeError when the file can't be written.
    void IniDateien(int mode, KundeSettings& settings) const;

    const QString& path() const { return m_path; }

    // Booleans are stored as "-1"/"0" and true when their numeric value is not 0.
    static QString boolText(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }
    static bool boolValue(const QString& text);

private:
    QString m_path;
};

} // namespace tarvex
