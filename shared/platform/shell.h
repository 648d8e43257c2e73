#pragma once

#include <QString>
#include <QStringList>

// Starting programs and opening folders, documents and addresses. Programs get their
// arguments as a list: user data never passes through a command interpreter.
class Shell
{
public:
    virtual ~Shell() = default;
    // Starts a program and does not wait for it. program: a path or a name on the search path.
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              const QString& workingDir = QString()) = 0;
    // The full path of a program name on the search path, empty when not found.
    virtual QString findProgram(const QString& program) const = 0;
    virtual bool openFolder(const QString& path) = 0;
    virtual bool openDocument(const QString& path) = 0;
    virtual bool openUrl(const QString& url) = 0;
};
