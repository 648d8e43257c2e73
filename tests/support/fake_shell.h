#pragma once

#include "shared/platform/shell.h"

#include <QList>
#include <QSet>

// Records what would have been started or opened; programs named in `available` exist.
class FakeShell : public Shell
{
public:
    struct Call
    {
        QString what; // "start", "folder", "document", "url"
        QString target;
        QStringList arguments;
    };

    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDir = QString()) override;
    QString findProgram(const QString& program) const override;
    bool openFolder(const QString& path) override;
    bool openDocument(const QString& path) override;
    bool openUrl(const QString& url) override;

    QSet<QString> available;  // program names or paths that can be found
    bool failOpen = false;
    QList<Call> calls;
};
