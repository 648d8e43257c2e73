#include "zendor/mail/mail_settings.h"

#include "shared/number_text.h"
#include "shared/profile_store.h"

namespace zendor {

MailSettings MailSettings::load(const QString& dataDir)
{
    ProfileStore store(dataDir);
    auto read = [&](const char* key) {
        return store.IniString(1, QStringLiteral("kunde.ini"), QStringLiteral("Mail"), QLatin1String(key)).trimmed();
    };
    MailSettings s;
    s.server = read("Server");
    s.sender = read("Absender");
    s.user = read("Benutzer");
    s.password = store.IniString(1, QStringLiteral("kunde.ini"), QStringLiteral("Mail"), QStringLiteral("Passwort"));
    s.encryption = qBound(0, leadingInt(read("Verschluesselung")), 2);
    const int port = leadingInt(read("Port"));
    s.port = port > 0 && port < 65536 ? port : (s.encryption == 2 ? 465 : 25);
    const int timeout = leadingInt(read("Zeitlimit"));
    s.timeoutSeconds = timeout > 0 ? qMin(timeout, 600) : 30;
    return s;
}

} // namespace zendor
