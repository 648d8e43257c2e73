#include "terminal/core/capture_check.h"

#include "shared/app_folders.h"
#include "shared/platform/prompter.h"
#include "terminal/core/kunde_settings.h"

#include <QFileInfo>

namespace tarvex {

bool checkCaptureDirectory(KundeSettings& s, Prompter& prompter)
{
    if (!s.capture)
        return true;
    QString name = s.capDatei;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const qsizetype cut = name.lastIndexOf(QLatin1Char('\\'));
    const QString dirShown = cut < 0 ? QString() : s.capDatei.left(cut);
    if (!dirShown.isEmpty() && QFileInfo(AppFolders::findCaseInsensitive(dirShown)).isDir())
        return true;
    prompter.message(
        QStringLiteral("Information"),
        QStringLiteral("Capture Datei kann nicht angelegt werden,\rda der Zielordner \r\r") + dirShown
            + QStringLiteral("\r\rnicht existiert.\r\rIm Menü Eigenschaften => Verbindung können Sie die\r"
                             "Einstellungen korrigieren."),
        BoxButtons::Ok, BoxIcon::Exclamation);
    s.capture = false;
    s.capDatei.clear();
    return false;
}

} // namespace tarvex
