#pragma once

#include <QString>

// Access to profile files through IniString, relative to the customer data folder.
class ProfileStore
{
public:
    explicit ProfileStore(QString dataDir);

    // mode 1: read key from section of dataDir + file; value is the default for a missing key.
    // mode 2: write value to key in section of that file; returns value.
    // mode 3: as mode 1 with file a complete path.
    // Any other mode returns an empty text. Write failures are not thrown; see lastWriteFailed().
    QString IniString(int mode, const QString& file, const QString& section, const QString& key,
                      const QString& value = QString());

    // The complete path of a file of the customer data folder (found without regard to case).
    QString pathOf(const QString& file) const;

    const QString& dataDir() const { return m_dataDir; }
    bool lastWriteFailed() const { return m_lastWriteFailed; }

private:
    QString m_dataDir;
    bool m_lastWriteFailed = false;
};
