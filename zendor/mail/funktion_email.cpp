#include "zendor/mail/funktion_email.h"

#include "shared/daten_pipe.h"
#include "shared/mail/mail_composer.h"
#include "zendor/error_report.h"
#include "zendor/mail/mail_preparation.h"
#include "zendor/mail/mail_request.h"
#include "zendor/mail/mail_settings.h"
#include "zendor/mail/smtp_sender.h"
#include "zendor/zendor_context.h"

namespace zendor {

namespace {
constexpr int kNoMailProgram = 6;
}

void FunktionEmail::run(const QString& record)
{
    const QString module =
        m_kind == Kind::Allgemein ? QStringLiteral("FunktionEmailAllgemein") : QStringLiteral("FunktionEmailOutlook");
    ErrorReport::guarded(m_ctx, module, record, [&] { mail(record); });
}

QString FunktionEmail::failureText(int number, const QString& reason)
{
    return QStringLiteral("MAPI32.DLL nicht gefunden /Mail nicht gesendet. (") + QString::number(number)
        + QStringLiteral(")\r\r") + reason;
}

void FunktionEmail::failed(int number, const QString& reason) const
{
    m_ctx.prompter().message(QStringLiteral("Information"), failureText(number, reason), BoxButtons::Ok,
                             BoxIcon::Exclamation);
}

void FunktionEmail::mail(const QString& record)
{
    MailRequest m;
    m.to = DatenPipe(2, record);
    m.cc = DatenPipe(3, record);
    m.bcc = DatenPipe(4, record);
    m.subject = DatenPipe(5, record);
    const QString body = DatenPipe(6, record);
    const QString objects = DatenPipe(7, record);
    const QString mode = DatenPipe(8, record);
    const int a = MailPreparation::modeA(mode);
    m.text = MailPreparation::mailText(m_ctx, body);
    m_ctx.diagnosticBox(QStringLiteral("Parameter Mail: \rTo: ") + m.to + QStringLiteral("\rCC: ") + m.cc
                        + QStringLiteral("\rBCC: ") + m.bcc + QStringLiteral("\rSubject: ") + m.subject
                        + QStringLiteral("\rBody: ") + m.text + QStringLiteral("\rObject: ") + objects);

    if (m_kind == Kind::Allgemein) {
        m.attachments = MailPreparation::attachmentsAllgemein(m_ctx, objects);
        m_ctx.diagnosticBox(QStringLiteral("Anzahl übergebener Dateien: ") + QString::number(m.attachments.size()));
    } else {
        bool lastExists = false;
        m.attachments = MailPreparation::attachmentsOutlook(m_ctx, objects, &lastExists);
        if (lastExists)
            m.text += QStringLiteral("\r\r\r");
        m.importance = MailPreparation::modeB(mode);
    }

    if (a != 0) {
        ComposedMail draft;
        draft.to = MailComposer::addresses(m.to);
        draft.cc = MailComposer::addresses(m.cc);
        draft.bcc = MailComposer::addresses(m.bcc);
        draft.subject = m.subject;
        draft.text = m.text;
        draft.attachments = m.attachments;
        if (DesktopMailComposer(m_ctx.shell()).compose(draft) != MailComposer::Result::Opened)
            failed(kNoMailProgram, QStringLiteral("Es wurde kein Mailprogramm gefunden, das die Mail öffnen kann."));
        return;
    }
    const SmtpSender::Result r = SmtpSender::send(MailSettings::load(m_ctx.dataDir()), m);
    if (!r.ok)
        failed(r.number, r.reason);
}

} // namespace zendor
