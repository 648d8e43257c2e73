#include "terminal/script/script_file.h"

#include "shared/app_folders.h"
#include "shared/text_file.h"
#include "terminal/core/script_table.h"

#include <QStringList>

namespace tarvex {

QString ScriptFile::workingFile(const AppFolders& folders)
{
    return folders.configDir() + QStringLiteral("Scripts.ini");
}

QString ScriptFile::groupFolder(const AppFolders& folders)
{
    return folders.scriptsDir();
}

QByteArray ScriptFile::encode(const ScriptTable& table)
{
    QStringList lines{QStringLiteral("[Script]")};
    for (int i = 1; i < ScriptTable::kSlots; ++i)
        lines.append(QStringLiteral("Script%1=").arg(i, 2, 10, QLatin1Char('0')) + table.slot(i));
    return TextFile::encodeLines(lines);
}

void ScriptFile::write(const QString& path, const ScriptTable& table)
{
    TextFile::writeBytesAtomic(path, encode(table));
}

} // namespace tarvex
