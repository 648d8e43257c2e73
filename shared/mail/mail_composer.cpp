#include "shared/mail/mail_composer.h"

#include "shared/platform/shell.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString lfText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QStringList cleanAddresses(const QStringList& list)
{
    QStringList out;
    for (const QString& a : list) {
        const QString t = MailComposer::singleLine(a).trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

} // namespace

QString MailComposer::singleLine(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

QStringList MailComposer::addresses(const QString& field)
{
    QStringList out;
    for (QString a : singleLine(field).split(QRegularExpression(QStringLiteral("[;,]")))) {
        a = a.trimmed();
        if (!a.isEmpty())
            out << a;
    }
    return out;
}

QString MailComposer::recipient(const QString& name, const QString& address)
{
    const QString a = singleLine(address).trimmed();
    QString n = singleLine(name).trimmed();
    if (a.isEmpty())
        return {};
    if (n.isEmpty() || n == a)
        return a;
    static const QRegularExpression special(QStringLiteral("[()<>\\[\\]:;@\\\\,.\"]"));
    if (n.contains(special)) {
        n.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        n.replace(QLatin1Char('"'), QLatin1String("\\\""));
        n = QLatin1Char('"') + n + QLatin1Char('"');
    }
    return n + QStringLiteral(" <") + a + QLatin1Char('>');
}

QStringList DesktopMailComposer::xdgEmailArguments(const ComposedMail& mail)
{
    QStringList args;
    for (const QString& a : cleanAddresses(mail.cc))
        args << QStringLiteral("--cc") << a;
    for (const QString& a : cleanAddresses(mail.bcc))
        args << QStringLiteral("--bcc") << a;
    args << QStringLiteral("--subject") << singleLine(mail.subject);
    args << QStringLiteral("--body") << lfText(mail.text);
    for (const QString& f : mail.attachments)
        args << QStringLiteral("--attach") << f;
    // Addresses last; "--" keeps an address from being read as an option.
    const QStringList to = cleanAddresses(mail.to);
    if (!to.isEmpty())
        args << QStringLiteral("--") << to;
    return args;
}

QString DesktopMailComposer::mailtoUrl(const ComposedMail& mail)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(cleanAddresses(mail.to).join(QLatin1Char(',')));
    QUrlQuery q;
    auto add = [&](const QString& key, const QString& value) {
        if (!value.isEmpty())
            q.addQueryItem(key, QString::fromUtf8(QUrl::toPercentEncoding(value)));
    };
    add(QStringLiteral("cc"), cleanAddresses(mail.cc).join(QLatin1Char(',')));
    add(QStringLiteral("bcc"), cleanAddresses(mail.bcc).join(QLatin1Char(',')));
    add(QStringLiteral("subject"), singleLine(mail.subject));
    QString body = lfText(mail.text);
    body.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    add(QStringLiteral("body"), body);
    url.setQuery(q);
    return url.toString(QUrl::FullyEncoded);
}

MailComposer::Result DesktopMailComposer::compose(const ComposedMail& mail)
{
    const QString xdg = m_shell.findProgram(QStringLiteral("xdg-email"));
    if (!xdg.isEmpty() && m_shell.startProgram(xdg, xdgEmailArguments(mail)))
        return Result::Opened;
    const bool attachmentsLost = !mail.attachments.isEmpty();
    if (attachmentsLost && mail.attachmentsRequired)
        return xdg.isEmpty() ? Result::NoMailProgram : Result::StartFailed;
    if (m_shell.openUrl(mailtoUrl(mail)))
        return Result::Opened;
    return xdg.isEmpty() ? Result::NoMailProgram : Result::StartFailed;
}
