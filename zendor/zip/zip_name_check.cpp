#include "zendor/zip/zip_name_check.h"

#include "shared/platform/prompter.h"
#include "zendor/zendor_paths.h"

namespace zendor {

bool acceptZipName(Prompter& prompter, const QString& zipName)
{
    if (ZendorPaths::isPlainFileName(zipName))
        return true;
    prompter.message(QStringLiteral("Sicherheitshinweis"),
                     QStringLiteral("Der Name der ZIP-Datei darf keinen Ordner enthalten:\r\r") + zipName, BoxButtons::Ok,
                     BoxIcon::Exclamation);
    return false;
}

} // namespace zendor
