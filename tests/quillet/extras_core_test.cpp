#include "tests/quillet/extras_test_support.h"
#include "tests/support/fake_shell.h"

#include "quillet/date_formats.h"
#include "quillet/file_association.h"
#include "quillet/mail_attachment.h"
#include "quillet/user_menu.h"
#include "shared/mail/mail_composer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

TEST(DateFormats, EveryFormatInListOrder)
{
    const QDateTime when(QDate(2026, 12, 7), QTime(13, 5, 9));
    EXPECT_EQ(DateFormats::lines(when),
              (QStringList{"07.12.2026", "Montag, 07. Dezember 2026", "07. Dez. 2026", "07.12.26", "2026-12-07",
                           "07.Dez.26", "07/12/2026", "07. Dez. 26", "07/12/26", "Dezember 26", "Dez.26",
                           "07.12.2026 13:05", "07.12.2026 13:05:09", "01:05", "01:05:09", "13:05", "13:05:09"}));
}

TEST(DateFormats, TwelveHourFormAndNames)
{
    const QDate date(2005, 3, 1);  // a Tuesday
    EXPECT_EQ(DateFormats::format("h:m", QDateTime(date, QTime(0, 30))), "00:30");
    EXPECT_EQ(DateFormats::format("h:m", QDateTime(date, QTime(12, 0))), "12:00");
    EXPECT_EQ(DateFormats::format("h:m", QDateTime(date, QTime(23, 59))), "11:59");
    EXPECT_EQ(DateFormats::format("D G g y", QDateTime(date, QTime(1, 2))), "Dienstag März Mär 05");
    EXPECT_EQ(DateFormats::format("[D]", QDateTime(QDate(2026, 12, 6), QTime())), "[Sonntag]");
    EXPECT_EQ(DateFormats::format("xYz", QDateTime(QDate(987, 1, 1), QTime())), "x0987z");
}

class UserMenuTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QSettings own{dir.filePath("own.ini"), QSettings::IniFormat};
};

TEST_F(UserMenuTest, EmptyAndNonTextValuesAreLeftOut)
{
    own.setValue("UserMenu/Gruss", "Mit freundlichen Grüßen");
    own.setValue("UserMenu/Leer", "");
    own.setValue("UserMenu/Bytes", QByteArray("\x01\x02", 2));
    own.setValue("UserMenu/Liste", QStringList{"a", "b"});
    own.setValue("UserMenu/Lang", QString(300, u'x'));
    own.setValue("Andere", "kein Eintrag");
    const QList<UserMenu::Entry> entries = UserMenu::read(own);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0], (UserMenu::Entry{"Gruss", "Mit freundlichen Grüßen"}));
    EXPECT_EQ(entries[1].name, "Lang");
    EXPECT_EQ(entries[1].text.size(), UserMenu::kMaxLength);
    QSettings none(dir.filePath("none.ini"), QSettings::IniFormat);
    EXPECT_TRUE(UserMenu::read(none).isEmpty());
}

TEST_F(UserMenuTest, OrderAsWrittenAndValuesAddedByHandFollow)
{
    UserMenu::write(own, {{"Zeta", "z"}, {"Alpha", "a"}, {"Signatur / Kurz", "--\r\nK."}, {"Leer", ""}});
    own.setValue("UserMenu/Mitte", "m");  // not in the stored order
    own.sync();
    QSettings again(dir.filePath("own.ini"), QSettings::IniFormat);
    const QList<UserMenu::Entry> entries = UserMenu::read(again);
    QStringList names;
    for (const UserMenu::Entry& e : entries)
        names << e.name;
    EXPECT_EQ(names, (QStringList{"Zeta", "Alpha", "Signatur / Kurz", "Mitte"}));
    EXPECT_EQ(entries[2].text, "--\r\nK.");

    // Writing again replaces everything, also what was added by hand.
    UserMenu::write(again, {{"Alpha", "b"}});
    EXPECT_EQ(UserMenu::read(again), (QList<UserMenu::Entry>{{"Alpha", "b"}}));
    UserMenu::write(again, {});
    EXPECT_FALSE(again.contains("UserMenuOrder"));
    EXPECT_TRUE(again.childGroups().isEmpty());
}

TEST(UserMenu, AddingANameThatExistsChangesItsText)
{
    const QList<UserMenu::Entry> entries{{"a", "1"}, {"b", "2"}};
    EXPECT_EQ(UserMenu::withEntry(entries, {"a", "3"}), (QList<UserMenu::Entry>{{"a", "3"}, {"b", "2"}}));
    EXPECT_EQ(UserMenu::withEntry(entries, {"c", "4"}).last(), (UserMenu::Entry{"c", "4"}));
    EXPECT_EQ(UserMenu::nameOf(UserMenu::keyOf("50% a/b\\c")), "50% a/b\\c");
}

TEST(MailComposer, RecipientWithNameAndArgumentsOfTheComposeWindow)
{
    EXPECT_EQ(MailComposer::recipient("Support", "s@k.de"), "Support <s@k.de>");
    EXPECT_EQ(MailComposer::recipient("Meier, Hans", "h@m.de"), "\"Meier, Hans\" <h@m.de>");
    EXPECT_EQ(MailComposer::recipient("", "h@m.de"), "h@m.de");
    EXPECT_EQ(MailComposer::recipient("Nur Name", ""), "");

    ComposedMail mail;
    mail.to = {"Support <s@k.de>"};
    mail.subject = "Betreff\rzwei";
    mail.text = "a\r\nb";
    mail.attachments = {"/tmp/x/Unbenannt 1"};
    EXPECT_EQ(DesktopMailComposer::xdgEmailArguments(mail),
              (QStringList{"--subject", "Betreff zwei", "--body", "a\nb", "--attach", "/tmp/x/Unbenannt 1", "--",
                           "Support <s@k.de>"}));
}

TEST(MailComposer, AttachmentsThatCannotTravelMeanNoMailProgram)
{
    FakeShell shell;
    ComposedMail mail;
    mail.to = {"a@b.c"};
    mail.attachments = {"/tmp/f.txt"};
    mail.attachmentsRequired = true;
    EXPECT_EQ(DesktopMailComposer(shell).compose(mail), MailComposer::Result::NoMailProgram);
    EXPECT_TRUE(shell.calls.isEmpty());

    mail.attachmentsRequired = false;  // the mailto: address without the attachment will do
    EXPECT_EQ(DesktopMailComposer(shell).compose(mail), MailComposer::Result::Opened);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, "mailto:a@b.c");

    shell.calls.clear();
    shell.available.insert("xdg-email");
    mail.attachmentsRequired = true;
    EXPECT_EQ(DesktopMailComposer(shell).compose(mail), MailComposer::Result::Opened);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, "xdg-email");
}

TEST(MailAttachment, NamedAfterTheDocumentAndEncodedAsSaved)
{
    EXPECT_EQ(MailAttachment::fileName("/home/u/notizen.txt", "notizen.txt"), "notizen.txt");
    EXPECT_EQ(MailAttachment::fileName(QString(), "Unbenannt 2"), "Unbenannt 2");

    TextFormat ansi;  // Windows-1252, CR LF
    EXPECT_EQ(MailAttachment::encode("Grüße\nx", ansi), QByteArray("Gr\xFC\xDF" "e\r\nx"));
    // A character Windows-1252 has not makes the file UTF-8 rather than a "?".
    EXPECT_EQ(MailAttachment::encode("ä→", ansi), QString("ä→").toUtf8());
    TextFormat unix{TextFormat::Encoding::Utf8Bom, TextFormat::LineEnd::Lf};
    EXPECT_EQ(MailAttachment::encode("a\nb", unix), QByteArray("\xEF\xBB\xBF" "a\nb"));

    QTemporaryDir dir;
    const QString root = dir.filePath("mail");
    QString error;
    const QString first = MailAttachment::write(root, "Unbenannt 1", "eins", &error);
    const QString second = MailAttachment::write(root, "Unbenannt 1", "zwei", &error);
    ASSERT_FALSE(first.isEmpty()) << error.toStdString();
    EXPECT_NE(first, second);  // a second mail of the same name does not overwrite the first's file
    EXPECT_EQ(QFileInfo(first).fileName(), "Unbenannt 1");
    EXPECT_EQ(XdgSandbox::read(first), "eins");
    EXPECT_EQ(XdgSandbox::read(second), "zwei");
    EXPECT_EQ(QFileInfo(root).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFileDevice::Permissions());
}

TEST(MailAttachment, OnlyOldMailFoldersAreRemoved)
{
    QTemporaryDir dir;
    QString error;
    const QString old = MailAttachment::write(dir.path(), "alt.txt", "a", &error);
    const QString recent = MailAttachment::write(dir.path(), "neu.txt", "n", &error);
    QDir(dir.path()).mkdir("eigenes");
    const QDateTime now = QDateTime::currentDateTime();
    ASSERT_TRUE(setModificationTime(QFileInfo(old).absolutePath(), now.addSecs(-25 * 3600)));
    MailAttachment::removeOld(dir.path(), now);
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(old).absolutePath()));
    EXPECT_TRUE(QFileInfo::exists(recent));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("eigenes")));
}

TEST(FileAssociation, DesktopEntryQuotesTheProgram)
{
    const QString entry = XdgFileAssociation::desktopEntry("/opt/a b/$q\\\"%", "vim.desktop");
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/a b/\\\\$q\\\\\\\\\\\\\"%%\" %f\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nMimeType=text/plain;\n"));
    EXPECT_TRUE(entry.endsWith("\nX-Quillet-Previous=vim.desktop\n"));
    EXPECT_TRUE(XdgFileAssociation::desktopEntry("/usr/bin/quillet", "").contains("\nExec=/usr/bin/quillet %f\n"));
    EXPECT_FALSE(XdgFileAssociation::desktopEntry("/q", "").contains("X-Quillet-Previous"));
}

TEST(FileAssociation, TakingOverAndGivingBackTextFiles)
{
    XdgSandbox desk;
    ASSERT_FALSE(XdgSandbox::xdgMime().isEmpty()) << "xdg-mime (xdg-utils) is missing";
    XdgFileAssociation association(QCoreApplication::applicationFilePath(), XdgSandbox::xdgMime());
    EXPECT_EQ(XdgSandbox::queryDefault(), "sysedit.desktop");
    EXPECT_EQ(association.owner(), FileAssociation::Owner::System);

    EXPECT_TRUE(association.useQuillet().ok);
    EXPECT_EQ(XdgSandbox::queryDefault(), "quillet.desktop");
    EXPECT_EQ(association.owner(), FileAssociation::Owner::Quillet);
    const QByteArray entry = XdgSandbox::read(desk.userApplications() + "/quillet.desktop");
    EXPECT_TRUE(entry.contains("Exec=" + QCoreApplication::applicationFilePath().toUtf8() + " %f"));
    // Taken over a second time, the editor still knows whose the files were.
    EXPECT_TRUE(association.useQuillet().ok);
    EXPECT_TRUE(XdgSandbox::read(desk.userApplications() + "/quillet.desktop").contains("X-Quillet-Previous=sysedit.desktop"));

    EXPECT_TRUE(association.useSystemEditor().ok);
    EXPECT_EQ(XdgSandbox::queryDefault(), "sysedit.desktop");
    EXPECT_FALSE(XdgSandbox::read(desk.userMimeapps()).contains("quillet.desktop"));
    EXPECT_EQ(association.owner(), FileAssociation::Owner::System);
}

TEST(FileAssociation, TheUsersOwnChoiceComesBack)
{
    XdgSandbox desk;
    XdgSandbox::writeDesktopEntry(desk.userApplications() + "/mein-editor.desktop", "Mein Editor");
    XdgSandbox::write(desk.userMimeapps(), "[Default Applications]\ntext/plain=mein-editor.desktop\nimage/png=bild.desktop\n");
    XdgFileAssociation association(QCoreApplication::applicationFilePath(), XdgSandbox::xdgMime());
    ASSERT_TRUE(association.useQuillet().ok);
    EXPECT_EQ(XdgSandbox::queryDefault(), "quillet.desktop");
    ASSERT_TRUE(association.useSystemEditor().ok);
    EXPECT_EQ(XdgSandbox::queryDefault(), "mein-editor.desktop");
    EXPECT_TRUE(XdgSandbox::read(desk.userMimeapps()).contains("image/png=bild.desktop"));
}

TEST(FileAssociation, WithoutASystemEditorNothingChanges)
{
    XdgSandbox desk(false);
    XdgFileAssociation association(QCoreApplication::applicationFilePath(), XdgSandbox::xdgMime());
    ASSERT_TRUE(association.useQuillet().ok);
    const QByteArray lists = XdgSandbox::read(desk.userMimeapps());
    const FileAssociation::Result result = association.useSystemEditor();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "\"Texteditor des Systems\" kann nicht gefunden und registriert werden.");
    EXPECT_EQ(XdgSandbox::read(desk.userMimeapps()), lists);
    EXPECT_EQ(XdgSandbox::queryDefault(), "quillet.desktop");
}

TEST(FileAssociation, WithoutXdgMimeItSaysSo)
{
    XdgSandbox desk;
    XdgFileAssociation association("/opt/quillet/quillet", QString());
    EXPECT_EQ(association.owner(), FileAssociation::Owner::Unknown);
    const FileAssociation::Result result = association.useQuillet();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains("xdg-mime"));
    EXPECT_FALSE(association.useSystemEditor().ok);
    EXPECT_FALSE(QFileInfo::exists(desk.userApplications() + "/quillet.desktop"));
}

} // namespace
