#include "terminal/core/helper_programs.h"

#include "shared/platform/shell.h"
#include "shared/runtime_error.h"
#include "shared/app_folders.h"
#include "terminal/core/terminal_state.h"

#include <QFileInfo>

namespace tarvex {

QString HelperPrograms::path(const QString& baseName) const
{
#ifdef Q_OS_WIN
    return m_state.folders.programDir() + baseName + QStringLiteral(".exe");
#else
    return m_state.folders.programDir() + baseName;
#endif
}

void HelperPrograms::startEditor(const QString& file) const
{
    const QString editor = path(QStringLiteral("quillet"));
    if (!m_shell.startProgram(editor, file.isEmpty() ? QStringList() : QStringList{file}))
        throw RuntimeError(ErrorCode::FileNotFound, editor);
}

void HelperPrograms::startZendor(const QString& record) const
{
    const QString zendor = path(QStringLiteral("zendor"));
    QStringList arguments;
    // zendor finds the folder beside the program by itself; any other (named on the
    // command line, or the per-user fallback) it is told, so its results and tables land
    // where the terminal looks.
    if (!m_state.folders.besideProgram())
        arguments << QStringLiteral("--kunde") << m_state.folders.dataDir();
    arguments << record;
    if (!m_shell.startProgram(zendor, arguments))
        throw RuntimeError(ErrorCode::FileNotFound, zendor);
}

void HelperPrograms::openFolder(const QString& dir) const
{
    const QString path = AppFolders::findCaseInsensitive(dir);
    if (!m_shell.openFolder(path))
        throw RuntimeError(QFileInfo(path).isDir() ? ErrorCode::PathFileAccess : ErrorCode::PathNotFound, path);
}

} // namespace tarvex
