#include "tests/zendor/zendor_fixture.h"

#include "shared/profile_store.h"
#include "zendor/zendor_dispatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace zendor;

ZendorFixture::ZendorFixture()
    : ctx(prompter, shell, clock)
{
    QDir().mkpath(kunde());
    ctx.setFolders(prog(), kunde());
}

void ZendorFixture::run(const QString& record)
{
    ZendorDispatcher(ctx).run(record);
}

QString ZendorFixture::writeFile(const QString& path, const QByteArray& content) const
{
    const QString full = path.startsWith(QLatin1Char('/')) ? path : prog() + QLatin1Char('/') + path;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << full.toStdString();
    f.write(content);
    return full;
}

QByteArray ZendorFixture::readFile(const QString& path) const
{
    QFile f(path.startsWith(QLatin1Char('/')) ? path : prog() + QLatin1Char('/') + path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ZendorFixture::iniValue(const QString& section, const QString& key) const
{
    return ProfileStore(kunde()).IniString(1, QStringLiteral("tarvex.ini"), section, key, QStringLiteral("<fehlt>"));
}

QStringList ZendorFixture::boxes() const
{
    QStringList out;
    for (const PromptRecord& r : prompter.records())
        out << r.caption + QLatin1Char('|') + r.text;
    return out;
}
