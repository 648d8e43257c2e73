#include "zendor/mail/compose_launcher.h"

#include "shared/platform/shell.h"
#include "zendor/mail/smtp_sender.h"

#include <QUrl>
#include <QUrlQuery>

namespace zendor {

namespace {

QString lfText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace

QStringList ComposeLauncher::xdgEmailArguments(const MailRequest& mail)
{
    QStringList args;
    for (const QString& a : SmtpSender::addresses(mail.cc))
        args << QStringLiteral("--cc") << a;
    for (const QString& a : SmtpSender::addresses(mail.bcc))
        args << QStringLiteral("--bcc") << a;
    args << QStringLiteral("--subject") << SmtpSender::singleLine(mail.subject);
    args << QStringLiteral("--body") << lfText(mail.text);
    for (const QString& f : mail.attachments)
        args << QStringLiteral("--attach") << f;
    // Addresses last; "--" keeps an address from being read as an option.
    const QStringList to = SmtpSender::addresses(mail.to);
    if (!to.isEmpty())
        args << QStringLiteral("--") << to;
    return args;
}

QString ComposeLauncher::mailtoUrl(const MailRequest& mail)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(SmtpSender::addresses(mail.to).join(QLatin1Char(',')));
    QUrlQuery q;
    auto add = [&](const QString& key, const QString& value) {
        if (!value.isEmpty())
            q.addQueryItem(key, QString::fromUtf8(QUrl::toPercentEncoding(value)));
    };
    add(QStringLiteral("cc"), SmtpSender::addresses(mail.cc).join(QLatin1Char(',')));
    add(QStringLiteral("bcc"), SmtpSender::addresses(mail.bcc).join(QLatin1Char(',')));
    add(QStringLiteral("subject"), SmtpSender::singleLine(mail.subject));
    QString body = lfText(mail.text);
    body.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    add(QStringLiteral("body"), body);
    url.setQuery(q);
    return url.toString(QUrl::FullyEncoded);
}

bool ComposeLauncher::open(const MailRequest& mail)
{
    const QString xdg = m_shell.findProgram(QStringLiteral("xdg-email"));
    if (!xdg.isEmpty() && m_shell.startProgram(xdg, xdgEmailArguments(mail)))
        return true;
    return m_shell.openUrl(mailtoUrl(mail));
}

} // namespace zendor
