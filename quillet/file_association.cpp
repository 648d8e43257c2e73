#include "quillet/file_association.h"

#include "quillet/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace quillet {
namespace {

const QString kPreviousKey = QStringLiteral("X-Quillet-Previous=");

QString envFolder(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : QDir::homePath() + fallback;
}

// The Exec line's program. A path without reserved characters stays as it is (xdg-mime's
// own check of a handler reads the first word of the line literally); any other is quoted,
// with the characters the quoting reserves escaped. Then the escapes of a desktop entry's
// string values ("\\") and of field codes ("%%").
QString execProgram(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=");
    bool plain = !path.isEmpty();
    for (const QChar c : path)
        plain = plain && !reserved.contains(c);
    if (plain)
        return QString(path).replace(QLatin1Char('%'), QLatin1String("%%"));
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted = u'"' + quoted + u'"';
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    quoted.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return quoted;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// The lines of a mimeapps.list with `handler` taken out of the default of `mimeType`.
QByteArray withoutDefault(const QByteArray& content, const QString& mimeType, const QString& handler)
{
    const QByteArray prefix = mimeType.toUtf8() + '=';
    QList<QByteArray> out;
    bool inDefaults = false;
    for (const QByteArray& line : content.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('['))
            inDefaults = trimmed == "[Default Applications]";
        if (inDefaults && trimmed.startsWith(prefix)) {
            QList<QByteArray> handlers = trimmed.mid(prefix.size()).split(';');
            handlers.removeAll(handler.toUtf8());
            handlers.removeAll(QByteArray());
            if (handlers.isEmpty())
                continue;
            out.append(prefix + handlers.join(';') + ';');
            continue;
        }
        out.append(line);
    }
    return out.join('\n');
}

} // namespace

XdgFileAssociation::XdgFileAssociation(QString programPath, QString xdgMime)
    : m_programPath(std::move(programPath)), m_xdgMime(std::move(xdgMime))
{
}

XdgFileAssociation XdgFileAssociation::forThisProgram()
{
    return XdgFileAssociation(QCoreApplication::applicationFilePath(),
                              QStandardPaths::findExecutable(QStringLiteral("xdg-mime")));
}

QString XdgFileAssociation::applicationsFolder()
{
    return envFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")) + QStringLiteral("/applications");
}

QString XdgFileAssociation::configFolder()
{
    return envFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

QString XdgFileAssociation::desktopPath() const
{
    return applicationsFolder() + u'/' + QLatin1String(kDesktopFile);
}

QString XdgFileAssociation::desktopEntry(const QString& programPath, const QString& previous)
{
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=Quillet\n"
                                   "GenericName=Texteditor\n"
                                   "Comment=Texteditor mit Blättern\n")
                    + QStringLiteral("Exec=") + execProgram(programPath) + QStringLiteral(" %f\n")
                    + QStringLiteral("Terminal=false\n"
                                     "MimeType=text/plain;\n"
                                     "Categories=Utility;TextEditor;\n");
    if (!previous.isEmpty())
        entry += kPreviousKey + previous + u'\n';
    return entry;
}

bool XdgFileAssociation::runXdgMime(const QStringList& arguments, QString* output) const
{
    if (m_xdgMime.isEmpty())
        return false;
    QProcess process;
    process.start(m_xdgMime, arguments);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool XdgFileAssociation::queryDefault(QString* handler) const
{
    return runXdgMime({QStringLiteral("query"), QStringLiteral("default"), QLatin1String(kMimeType)}, handler);
}

FileAssociation::Owner XdgFileAssociation::owner()
{
    QString handler;
    if (!queryDefault(&handler))
        return Owner::Unknown;
    return handler == QLatin1String(kDesktopFile) ? Owner::Quillet : Owner::System;
}

QString XdgFileAssociation::rememberedPrevious() const
{
    QFile file(desktopPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(kPreviousKey))
            return text.mid(kPreviousKey.size());
    }
    return {};
}

bool XdgFileAssociation::desktopEntryExists(const QString& name)
{
    if (name.isEmpty() || name.contains(u'/'))
        return false;
    QStringList dataDirs = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
    if (dataDirs.isEmpty())
        dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    if (QFileInfo(applicationsFolder() + u'/' + name).isFile())
        return true;
    for (const QString& dir : dataDirs) {
        if (QFileInfo(dir + QStringLiteral("/applications/") + name).isFile())
            return true;
    }
    return false;
}

FileAssociation::Result XdgFileAssociation::noXdgMime() const
{
    return {false, Messages::noXdgMime()};
}

FileAssociation::Result XdgFileAssociation::useQuillet()
{
    if (m_xdgMime.isEmpty())
        return noXdgMime();
    QString current;
    queryDefault(&current);
    // The handler before the editor took over; taken over again, the first one is kept.
    const QString previous = current == QLatin1String(kDesktopFile) ? rememberedPrevious() : current;
    QString error;
    if (!writeFile(desktopPath(), desktopEntry(m_programPath, previous).toUtf8(), &error))
        return {false, Messages::cannotCreate(desktopPath(), error)};
    QString now;
    if (!runXdgMime({QStringLiteral("default"), QLatin1String(kDesktopFile), QLatin1String(kMimeType)})
        || !queryDefault(&now) || now != QLatin1String(kDesktopFile))
        return {false, Messages::text(Messages::CannotRegister, QLatin1String(kDesktopFile))};
    return {};
}

FileAssociation::Result XdgFileAssociation::useSystemEditor()
{
    if (m_xdgMime.isEmpty())
        return noXdgMime();
    QString current;
    if (queryDefault(&current) && current != QLatin1String(kDesktopFile))
        return {};  // the files are not the editor's
    const QString previous = rememberedPrevious();

    // First the editor's entries go; what the system's lists name then is the default.
    const QStringList lists = {configFolder() + QStringLiteral("/mimeapps.list"),
                               applicationsFolder() + QStringLiteral("/mimeapps.list")};
    QList<QPair<QString, QByteArray>> before;
    for (const QString& path : lists) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray content = file.readAll();
        file.close();
        const QByteArray changed = withoutDefault(content, QLatin1String(kMimeType), QLatin1String(kDesktopFile));
        QString error;
        if (changed != content && writeFile(path, changed, &error))
            before.append({path, content});
    }
    QString now;
    const bool known = queryDefault(&now) && !now.isEmpty() && now != QLatin1String(kDesktopFile);
    if (known && (previous.isEmpty() || now == previous))
        return {};
    // The one that had the files before gets them back where it is still there.
    if (previous != QLatin1String(kDesktopFile) && desktopEntryExists(previous)
        && runXdgMime({QStringLiteral("default"), previous, QLatin1String(kMimeType)}) && queryDefault(&now)
        && now == previous)
        return {};
    if (known)
        return {};
    // No editor of the system: the lists stay as they were.
    for (const auto& [path, content] : before) {
        QString error;
        writeFile(path, content, &error);
    }
    return {false, Messages::text(Messages::CannotRegister,
                                  previous.isEmpty() ? Messages::systemEditorName() : previous)};
}

} // namespace quillet
