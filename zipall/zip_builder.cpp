#include "zipall/zip_builder.h"

#include "shared/disk_sync.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <stdexcept>

namespace zipall {

namespace {

QString native(const QString& p)
{
    QString n = p;
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return n;
}

std::runtime_error zipError(const QString& what, zip_error_t* err)
{
    return std::runtime_error((what + QStringLiteral(": ") + QString::fromUtf8(zip_error_strerror(err))).toStdString());
}

} // namespace

QStringList ZipBuilder::expand(const QString& source)
{
    const QString path = native(source);
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const QString folder = slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : path.left(slash));
    const QString name = path.mid(slash + 1);
    if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        return QFileInfo(path).isFile() ? QStringList{path} : QStringList{};
    QString filter = name == QLatin1String("*.*") ? QStringLiteral("*") : name;
    filter.replace(QLatin1Char('['), QStringLiteral("[[]"));
    QStringList out;
    const QDir dir(folder);
    for (const QString& f : dir.entryList({filter}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        out << dir.filePath(f);
    return out;
}

ZipBuilder::Result ZipBuilder::build(const QString& zipPath, const QStringList& sources)
{
    Result result;
    QStringList files;
    for (const QString& s : sources) {
        const QStringList found = expand(s);
        if (found.isEmpty())
            result.skipped << s + QStringLiteral(" (nicht gefunden)");
        files += found;
    }
    const QString target = native(zipPath);
    const QString targetAbs = QFileInfo(target).absoluteFilePath();
    // Names already in the archive this run; the archive itself is never added to itself.
    QSet<QString> names;
    QStringList toAdd;
    for (const QString& f : files) {
        if (QFileInfo(f).absoluteFilePath() == targetAbs)
            continue;
        const QString name = QFileInfo(f).fileName();
        if (names.contains(name.toLower())) {
            result.skipped << f + QStringLiteral(" (Name doppelt)");
            continue;
        }
        names.insert(name.toLower());
        toAdd << f;
    }
    if (toAdd.isEmpty())
        throw std::runtime_error("Keine Dateien zum Zippen gefunden");

    int errorCode = 0;
    const QByteArray encoded = QFile::encodeName(target);
    zip_t* za = zip_open(encoded.constData(), ZIP_CREATE, &errorCode);
    if (!za) {
        zip_error_t err;
        zip_error_init_with_code(&err, errorCode);
        const std::runtime_error e = zipError(target, &err);
        zip_error_fini(&err);
        throw e;
    }
    for (const QString& f : toAdd) {
        const QByteArray fileName = QFile::encodeName(f);
        zip_source_t* src = zip_source_file(za, fileName.constData(), 0, -1);
        if (!src) {
            const std::runtime_error e = zipError(f, zip_get_error(za));
            zip_discard(za);
            throw e;
        }
        const QByteArray entry = QFileInfo(f).fileName().toUtf8();
        const zip_int64_t index = zip_file_add(za, entry.constData(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            const std::runtime_error e = zipError(f, zip_get_error(za));
            zip_discard(za);
            throw e;
        }
        zip_set_file_compression(za, zip_uint64_t(index), ZIP_CM_DEFLATE, 0);
        ++result.added;
    }
    if (zip_close(za) != 0) {
        const std::runtime_error e = zipError(target, zip_get_error(za));
        zip_discard(za);
        throw e;
    }
    // libzip wrote a temporary file and renamed it over the target; the archive is on the
    // disk before zipall reports it done.
    DiskSync::syncFile(target);
    DiskSync::syncFolderOf(target);
    return result;
}

} // namespace zipall
