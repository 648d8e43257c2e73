#include "zendor/mail/smtp_sender.h"

#include "shared/mail/mail_composer.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <memory>

namespace zendor {

namespace {

struct SList
{
    curl_slist* list = nullptr;
    ~SList() { curl_slist_free_all(list); }
    void add(const QByteArray& s) { list = curl_slist_append(list, s.constData()); }
};

QString reasonOf(CURLcode code, long reply)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return QStringLiteral("Der Mailserver wurde nicht gefunden.");
    case CURLE_COULDNT_CONNECT: return QStringLiteral("Der Mailserver nimmt keine Verbindung an.");
    case CURLE_OPERATION_TIMEDOUT: return QStringLiteral("Der Mailserver antwortet nicht (Zeitlimit überschritten).");
    case CURLE_LOGIN_DENIED: return QStringLiteral("Die Anmeldung am Mailserver wurde abgelehnt.");
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION: return QStringLiteral("Eine verschlüsselte Verbindung war nicht möglich.");
    case CURLE_READ_ERROR: return QStringLiteral("Ein Anhang konnte nicht gelesen werden.");
    default: break;
    }
    if (reply >= 400)
        return QStringLiteral("Der Mailserver hat die Mail abgelehnt (Antwort %1).").arg(reply);
    return QStringLiteral("Fehler beim Senden: ") + QString::fromUtf8(curl_easy_strerror(code));
}

QByteArray angle(const QString& address)
{
    QString a = address.trimmed();
    const qsizetype lt = a.indexOf(QLatin1Char('<'));
    const qsizetype gt = a.lastIndexOf(QLatin1Char('>'));
    if (lt >= 0 && gt > lt)
        a = a.mid(lt + 1, gt - lt - 1);
    return "<" + a.toUtf8() + ">";
}

QByteArray crlfText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t.toUtf8();
}

} // namespace

QString SmtpSender::singleLine(const QString& text)
{
    return MailComposer::singleLine(text);
}

QStringList SmtpSender::addresses(const QString& field)
{
    return MailComposer::addresses(field);
}

QByteArray SmtpSender::encodeHeader(const QString& text)
{
    const QString t = singleLine(text);
    bool ascii = true;
    for (QChar c : t)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return t.toUtf8();
    // Encoded words of at most 45 bytes of UTF-8 each, never splitting a character.
    QByteArray out;
    QByteArray chunk;
    for (qsizetype i = 0; i < t.size(); ++i) {
        QString ch(t.at(i));
        if (t.at(i).isHighSurrogate() && i + 1 < t.size())
            ch += t.at(++i);
        const QByteArray bytes = ch.toUtf8();
        if (chunk.size() + bytes.size() > 45) {
            out += (out.isEmpty() ? "" : "\r\n ") + QByteArray("=?UTF-8?B?") + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += bytes;
    }
    if (!chunk.isEmpty())
        out += (out.isEmpty() ? "" : "\r\n ") + QByteArray("=?UTF-8?B?") + chunk.toBase64() + "?=";
    return out;
}

SmtpSender::Result SmtpSender::send(const MailSettings& settings, const MailRequest& mail)
{
    Result r;
    if (settings.server.isEmpty()) {
        r.number = kNoServer;
        r.reason = QStringLiteral("Kein Mailserver eingerichtet (kunde.ini, Abschnitt [Mail], Server).");
        return r;
    }
    if (settings.sender.isEmpty()) {
        r.number = kNoSender;
        r.reason = QStringLiteral("Kein Absender eingerichtet (kunde.ini, Abschnitt [Mail], Absender).");
        return r;
    }
    const QStringList to = addresses(mail.to);
    const QStringList cc = addresses(mail.cc);
    const QStringList bcc = addresses(mail.bcc);
    if (to.isEmpty() && cc.isEmpty() && bcc.isEmpty()) {
        r.number = kNoRecipient;
        r.reason = QStringLiteral("Die Mail hat keinen Empfänger.");
        return r;
    }

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) {
        r.number = CURLE_FAILED_INIT;
        r.reason = reasonOf(CURLE_FAILED_INIT, 0);
        return r;
    }
    CURL* c = curl.get();
    const QByteArray url = (settings.encryption == 2 ? QByteArray("smtps://") : QByteArray("smtp://"))
        + settings.server.toUtf8() + ":" + QByteArray::number(settings.port);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(qMin(settings.timeoutSeconds, 15)));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, long(settings.timeoutSeconds));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(settings.timeoutSeconds));
    if (settings.encryption == 1)
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    if (!settings.user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }
    const QByteArray from = angle(settings.sender);
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    SList rcpt;
    for (const QStringList* list : {&to, &cc, &bcc})
        for (const QString& a : *list)
            rcpt.add(angle(a));
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.list);

    SList headers;
    headers.add("Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toUtf8());
    headers.add("From: " + settings.sender.toUtf8());
    if (!to.isEmpty())
        headers.add("To: " + to.join(QStringLiteral(", ")).toUtf8());
    if (!cc.isEmpty())
        headers.add("Cc: " + cc.join(QStringLiteral(", ")).toUtf8());
    headers.add("Subject: " + encodeHeader(mail.subject));
    if (mail.importance >= 0) {
        static const char* importance[] = {"Low", "Normal", "High"};
        static const char* priority[] = {"5 (Lowest)", "3 (Normal)", "1 (Highest)"};
        const int i = qBound(0, mail.importance, 2);
        headers.add(QByteArray("Importance: ") + importance[i]);
        headers.add(QByteArray("X-Priority: ") + priority[i]);
    }
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.list);

    std::unique_ptr<curl_mime, decltype(&curl_mime_free)> mime(curl_mime_init(c), &curl_mime_free);
    curl_mimepart* textPart = curl_mime_addpart(mime.get());
    const QByteArray text = crlfText(mail.text);
    curl_mime_data(textPart, text.constData(), size_t(text.size()));
    curl_mime_type(textPart, "text/plain; charset=UTF-8");
    curl_mime_encoder(textPart, "quoted-printable");
    for (const QString& path : mail.attachments) {
        curl_mimepart* part = curl_mime_addpart(mime.get());
        const QByteArray file = QFile::encodeName(path);
        if (curl_mime_filedata(part, file.constData()) != CURLE_OK) {
            r.number = CURLE_READ_ERROR;
            r.reason = reasonOf(CURLE_READ_ERROR, 0) + QStringLiteral("\r") + path;
            return r;
        }
        const QByteArray name = QFileInfo(path).fileName().toUtf8();
        curl_mime_filename(part, name.constData());
        curl_mime_type(part, "application/octet-stream");
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    const CURLcode code = curl_easy_perform(c);
    long reply = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply);
    if (code == CURLE_OK) {
        r.ok = true;
        return r;
    }
    r.number = reply >= 400 ? int(reply) : int(code);
    r.reason = reasonOf(code, reply);
    return r;
}

} // namespace zendor
