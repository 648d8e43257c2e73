#include "tests/zendor/smtp_test_server.h"
#include "tests/zendor/zendor_fixture.h"

#include "shared/profile_store.h"
#include "zendor/mail/mail_preparation.h"
#include "zendor/mail/smtp_sender.h"

#include <QRegularExpression>

using namespace zendor;

namespace {

// The parts of a MIME message: headers of the message, then each part's headers and
// decoded body.
struct Parsed
{
    QByteArray headers;
    QList<QPair<QByteArray, QByteArray>> parts;
};

QByteArray decodeQuotedPrintable(const QByteArray& in)
{
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size() && in[i + 1] == '\r' && in[i + 2] == '\n') {
            i += 2;
        } else if (in[i] == '=' && i + 2 < in.size()) {
            out += char(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += in[i];
        }
    }
    return out;
}

Parsed parse(const QByteArray& data)
{
    Parsed p;
    const qsizetype end = data.indexOf("\r\n\r\n");
    p.headers = data.left(end);
    const QRegularExpression re("boundary=\"?([^\";\r\n]+)");
    const QByteArray boundary = "--" + re.match(QString::fromUtf8(p.headers)).captured(1).toUtf8();
    QByteArray body = data.mid(end + 4);
    qsizetype pos = body.indexOf(boundary);
    while (pos >= 0) {
        const qsizetype start = pos + boundary.size();
        if (body.mid(start, 2) == "--")
            break;
        const qsizetype next = body.indexOf(boundary, start);
        QByteArray part = body.mid(start + 2, next - start - 4);
        const qsizetype he = part.indexOf("\r\n\r\n");
        const QByteArray h = part.left(he);
        QByteArray b = part.mid(he + 4);
        if (h.contains("base64"))
            b = QByteArray::fromBase64(b);
        else if (h.contains("quoted-printable"))
            b = decodeQuotedPrintable(b);
        p.parts.append({h, b});
        pos = next;
    }
    return p;
}

} // namespace

class MailTest : public ZendorFixture
{
protected:
    void configure(quint16 port, int timeout = 5)
    {
        ProfileStore s(kunde());
        s.IniString(2, "kunde.ini", "Mail", "Server", "127.0.0.1");
        s.IniString(2, "kunde.ini", "Mail", "Port", QString::number(port));
        s.IniString(2, "kunde.ini", "Mail", "Absender", "tarvex@example.org");
        s.IniString(2, "kunde.ini", "Mail", "Zeitlimit", QString::number(timeout));
    }
};

TEST_F(MailTest, ModePairAndMailText)
{
    EXPECT_EQ(MailPreparation::modeA(""), 0);
    EXPECT_EQ(MailPreparation::modeB(""), 0);
    EXPECT_EQ(MailPreparation::modeA("1/2"), 1);
    EXPECT_EQ(MailPreparation::modeB("1/2"), 2);
    EXPECT_EQ(MailPreparation::modeB("0/1"), 1);

    writeFile("kunde/anzeige/monitor.txt", "Zeile 1\r\nZeile \xe4\r\n");
    EXPECT_EQ(MailPreparation::mailText(ctx, "kunde\\anzeige\\monitor.txt"), "\rZeile 1\rZeile ä");
    EXPECT_EQ(MailPreparation::mailText(ctx, "kunde\\anzeige\\fehlt.txt"), "kunde\\anzeige\\fehlt.txt");
    EXPECT_EQ(MailPreparation::mailText(ctx, "Alarm at 12:00"), "Alarm at 12:00");
    writeFile("leer.txt", "");
    EXPECT_EQ(MailPreparation::mailText(ctx, "leer.txt"), "");
}

TEST_F(MailTest, AttachmentLimitsOfBothFunctions)
{
    QStringList pieces;
    for (int i = 0; i < 12; ++i)
        pieces << writeFile(QString("a%1.bin").arg(i), "x");
    pieces.insert(1, prog() + "/fehlt.bin");
    EXPECT_EQ(MailPreparation::attachmentsAllgemein(ctx, pieces.join(';')).size(), 9); // ten pieces, one missing
    bool last = false;
    EXPECT_EQ(MailPreparation::attachmentsOutlook(ctx, pieces.join(';'), &last).size(), 12);
    EXPECT_TRUE(last);
    MailPreparation::attachmentsOutlook(ctx, pieces.first() + ";" + prog() + "/fehlt.bin", &last);
    EXPECT_FALSE(last);
}

TEST_F(MailTest, SendsThroughTheServerWithBccAttachmentsAndImportance)
{
    SmtpTestServer server;
    configure(server.port());
    QByteArray binary;
    for (int i = 0; i < 3000; ++i)
        binary += char(i * 7);
    const QString att = writeFile("anhang daten.bin", binary);
    writeFile("text.txt", "Hallo\r\nWelt \xfc\r\n");
    run("|4|to@example.org|cc@example.org|bcc@example.org|Störung Anlage|text.txt|" + att + "|0/2|");
    EXPECT_TRUE(prompter.records().isEmpty()) << boxes().join("\n").toStdString();
    const auto mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    const auto& m = mails.first();
    EXPECT_EQ(m.from, "<tarvex@example.org>");
    EXPECT_EQ(m.recipients, (QList<QByteArray>{"<to@example.org>", "<cc@example.org>", "<bcc@example.org>"}));
    const Parsed p = parse(m.data);
    EXPECT_TRUE(p.headers.contains("To: to@example.org"));
    EXPECT_TRUE(p.headers.contains("Cc: cc@example.org"));
    EXPECT_FALSE(p.headers.contains("bcc@example.org"));
    EXPECT_TRUE(p.headers.contains("Subject: " + SmtpSender::encodeHeader("Störung Anlage")));
    EXPECT_TRUE(p.headers.contains("Importance: High"));
    EXPECT_TRUE(p.headers.contains("X-Priority: 1"));
    ASSERT_EQ(p.parts.size(), 2);
    // The last attachment exists, so three line breaks follow the text.
    EXPECT_EQ(QString::fromUtf8(p.parts[0].second), "\r\nHallo\r\nWelt ü\r\n\r\n\r\n");
    EXPECT_TRUE(p.parts[1].first.contains("anhang daten.bin"));
    EXPECT_EQ(p.parts[1].second, binary);
}

TEST_F(MailTest, FunctionNineSendsWithoutImportance)
{
    SmtpTestServer server;
    configure(server.port());
    run("|9||nur-cc@example.org||Alarm|Alarm at 12:00||0/1|");
    const auto mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].recipients, QList<QByteArray>{"<nur-cc@example.org>"});
    EXPECT_FALSE(mails[0].data.contains("Importance:"));
    EXPECT_TRUE(mails[0].data.contains("Alarm at 12:00"));
}

TEST_F(MailTest, FailuresEndInTheInformationBox)
{
    struct Case
    {
        const char* name;
        SmtpTestServer::Mode mode;
        bool configured;
        const char* to;
        int number;
    };
    const Case cases[] = {
        {"no server", SmtpTestServer::Mode::Accept, false, "a@b.c", SmtpSender::kNoServer},
        {"rejected", SmtpTestServer::Mode::RejectRecipient, true, "unbekannt@b.c", 550},
        {"silent", SmtpTestServer::Mode::Silent, true, "a@b.c", 28},
        {"no recipient", SmtpTestServer::Mode::Accept, true, "", SmtpSender::kNoRecipient},
    };
    for (const Case& c : cases) {
        prompter.clearRecords();
        QFile::remove(kunde() + "kunde.ini");
        SmtpTestServer server(c.mode);
        if (c.configured)
            configure(server.port(), 2);
        run(QString("|9|%1|||Betreff|Text||0/1|").arg(c.to));
        ASSERT_EQ(prompter.records().size(), 1) << c.name;
        EXPECT_EQ(prompter.records()[0].caption, "Information") << c.name;
        EXPECT_EQ(prompter.records()[0].icon, "Warning") << c.name;
        EXPECT_TRUE(prompter.records()[0].text.startsWith(
            QString("MAPI32.DLL nicht gefunden /Mail nicht gesendet. (%1)\r\r").arg(c.number)))
            << c.name << ": " << prompter.records()[0].text.toStdString();
        EXPECT_TRUE(server.mails().isEmpty());
    }
}

TEST_F(MailTest, RefusedConnectionGivesTheMessageAndAClearEnd)
{
    quint16 port = 0;
    {
        SmtpTestServer closed;
        port = closed.port();
    }
    configure(port, 2);
    run("|9|a@b.c|||Betreff|Text||0|");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("MAPI32.DLL nicht gefunden /Mail nicht gesendet. (7)"));
}

TEST_F(MailTest, EditingFirstOpensTheComposeWindow)
{
    writeFile("x.pdf", "%PDF");
    shell.available.insert("xdg-email");
    run("|4|to@example.org|cc@x.org||Betreff|Zeile1|" + prog() + "/x.pdf|1/1|");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].arguments,
              (QStringList{"--cc", "cc@x.org", "--subject", "Betreff", "--body", "Zeile1\n\n\n", "--attach",
                           prog() + "/x.pdf", "--", "to@example.org"}));

    shell.calls.clear();
    shell.available.clear();
    run("|9|to@example.org|||Betreff mit Ä|a\rb||1/0|");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "url");
    EXPECT_EQ(shell.calls[0].target, "mailto:to@example.org?subject=Betreff%20mit%20%C3%84&body=a%0D%0Ab");
    EXPECT_TRUE(prompter.records().isEmpty());
}

TEST(SmtpSenderTest, HeaderValuesAreOneLineAndEncodedWhenNeeded)
{
    EXPECT_EQ(SmtpSender::encodeHeader("Plain\r\nBcc: x"), "Plain  Bcc: x");
    EXPECT_EQ(SmtpSender::encodeHeader("Ä"), "=?UTF-8?B?w4Q=?=");
    EXPECT_EQ(SmtpSender::addresses(" a@b.c; ;d@e.f,g@h.i "), (QStringList{"a@b.c", "d@e.f", "g@h.i"}));
}
