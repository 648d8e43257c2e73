#include "terminal/script/script_groups.h"

#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/script/script_file.h"

#include <QDir>
#include <QFile>

namespace tarvex {

QString ScriptGroups::ScriptgruppeInOut(int mode, const QString& suggestedName)
{
    Prompter& prompter = m_ctx.prompter;
    const AppFolders& folders = m_ctx.state.folders;
    QDir().mkpath(ScriptFile::groupFolder(folders));
    FileDialogRequest request;
    request.startDir = ScriptFile::groupFolder(folders);
    if (mode == 1) {
        request.kind = FileDialogKind::Open;
        request.title = QStringLiteral("Bitte Scriptgruppe auswählen:");
        request.filter = QStringLiteral("Scriptgruppen|*.ini");
    } else if (mode == 2) {
        request.kind = FileDialogKind::Save;
        request.title = QStringLiteral("Bitte Dateinamen angeben:");
        request.filter = QStringLiteral("Scriptgruppe|*.ini");
        request.fileName = suggestedName;
        request.confirmOverwrite = false; // saving a group replaces the file
    } else {
        return QString();
    }
    const QStringList chosen = prompter.fileDialog(request);
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return QString();
    const QString name = chosen.first();
    const bool done = mode == 1 ? loadGroup(name) : saveGroup(name);
    return done ? name : QString();
}

bool ScriptGroups::acceptedName(const QString& name, bool saving)
{
    if (name.contains(QStringLiteral(".ini"), Qt::CaseInsensitive))
        return true;
    m_ctx.prompter.message(
        QStringLiteral("Sicherheitshinweis"),
        QStringLiteral("Die Datei\r\r") + name + QStringLiteral("\r\rkann nicht verwendet werden!"), BoxButtons::Ok,
        saving ? BoxIcon::Information : BoxIcon::Exclamation);
    return false;
}

bool ScriptGroups::loadGroup(const QString& path)
{
    if (!acceptedName(path, false))
        return false;
    TerminalState& st = m_ctx.state;
    return guarded(m_ctx.errors, "ScriptgruppeInOut", 1, path, [&] {
        const QString source = AppFolders::findCaseInsensitive(path);
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            throw RuntimeError(ErrorCode::FileNotFound, path);
        const QByteArray bytes = in.readAll();
        in.close();
        st.settings.scriptGrp = QStringLiteral("Letzte geladene Scriptgruppe: ") + path;
        if (groupRemembered)
            groupRemembered(st.settings.scriptGrp);
        const QString working = ScriptFile::workingFile(st.folders);
        TextFile::writeBytesAtomic(working, bytes);
        // The group replaces the whole table: a group file with fewer lines must not leave
        // scripts of the previous group behind (they are in no file and would vanish at the
        // next start, or be saved into the next group).
        st.scripts.clear();
        m_ctx.loader.DatenIn(6, 0, working);
        if (tableLoaded)
            tableLoaded();
        m_ctx.settingsFile.IniDateien(2);
    });
}

bool ScriptGroups::saveGroup(const QString& path)
{
    if (!acceptedName(path, true))
        return false;
    TerminalState& st = m_ctx.state;
    const bool ok = guarded(m_ctx.errors, "ScriptgruppeInOut", 2, path, [&] {
        st.settings.scriptGrp = QStringLiteral("Letzte gesicherte Scriptgruppe: ") + path;
        if (groupRemembered)
            groupRemembered(st.settings.scriptGrp);
        // The group is a copy of the working file. Only when that was never written does
        // the table in memory make the group.
        const QString working = AppFolders::findCaseInsensitive(ScriptFile::workingFile(st.folders));
        QFile in(working);
        if (in.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = in.readAll();
            if (in.error() != QFileDevice::NoError)
                throw RuntimeError(ErrorCode::DeviceIo, working);
            TextFile::writeBytesAtomic(path, bytes);
        } else {
            ScriptFile::write(path, st.scripts);
        }
        m_ctx.settingsFile.IniDateien(2);
    });
    if (!ok)
        return false;
    m_ctx.prompter.message(
        QStringLiteral("Information"),
        QStringLiteral("Aktuelle Scriptbefehle in\r\r") + path + QStringLiteral("\r\rgesichert."), BoxButtons::Ok,
        BoxIcon::Information);
    if (groupSaved)
        groupSaved(path);
    return true;
}

} // namespace tarvex
