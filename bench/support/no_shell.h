#pragma once

#include "shared/platform/shell.h"

// A benchmark opens no program, folder or address.
class NoShell : public Shell
{
public:
    bool startProgram(const QString&, const QStringList&, const QString&) override { return false; }
    QString findProgram(const QString&) const override { return {}; }
    bool openFolder(const QString&) override { return false; }
    bool openDocument(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};
