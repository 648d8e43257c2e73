#include "shared/profile_store.h"

#include "shared/app_folders.h"
#include "shared/profile_document.h"
#include "shared/runtime_error.h"

ProfileStore::ProfileStore(QString dataDir)
    : m_dataDir(AppFolders::withTrailingSlash(dataDir))
{
}

QString ProfileStore::pathOf(const QString& file) const
{
    QString f = file;
    f.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return AppFolders::findCaseInsensitive(m_dataDir + f);
}

QString ProfileStore::IniString(int mode, const QString& file, const QString& section,
                                const QString& key, const QString& value)
{
    switch (mode) {
    case 1:
    case 3: {
        const QString path = mode == 1 ? pathOf(file) : AppFolders::findCaseInsensitive(file);
        try {
            return ProfileDocument::load(path).value(section, key, value);
        } catch (const RuntimeError&) {
            return value;
        }
    }
    case 2: {
        const QString path = pathOf(file);
        m_lastWriteFailed = false;
        try {
            ProfileDocument doc = ProfileDocument::load(path);
            doc.setValue(section, key, value);
            if (doc.isModified())
                doc.save(path);
        } catch (const RuntimeError&) {
            m_lastWriteFailed = true;
        }
        return value;
    }
    default:
        return QString();
    }
}
