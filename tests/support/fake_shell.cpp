#include "tests/support/fake_shell.h"

bool FakeShell::startProgram(const QString& program, const QStringList& arguments, const QString&)
{
    if (findProgram(program).isEmpty())
        return false;
    calls.append({QStringLiteral("start"), program, arguments});
    return true;
}

QString FakeShell::findProgram(const QString& program) const
{
    return available.contains(program) ? program : QString();
}

bool FakeShell::openFolder(const QString& path)
{
    calls.append({QStringLiteral("folder"), path, {}});
    return !failOpen;
}

bool FakeShell::openDocument(const QString& path)
{
    calls.append({QStringLiteral("document"), path, {}});
    return !failOpen;
}

bool FakeShell::openUrl(const QString& url)
{
    calls.append({QStringLiteral("url"), url, {}});
    return !failOpen;
}
