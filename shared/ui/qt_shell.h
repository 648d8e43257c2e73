#pragma once

#include "shared/platform/shell.h"

class QtShell : public Shell
{
public:
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDir = QString()) override;
    QString findProgram(const QString& program) const override;
    bool openFolder(const QString& path) override;
    bool openDocument(const QString& path) override;
    bool openUrl(const QString& url) override;
};
