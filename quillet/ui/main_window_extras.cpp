// The extras of the main window: the user menu, date and time, sending the document by mail
// and the file association of the options dialog.
#include "quillet/ui/main_window.h"

#include "quillet/date_formats.h"
#include "quillet/editor_settings.h"
#include "quillet/file_association.h"
#include "quillet/mail_attachment.h"
#include "quillet/messages.h"
#include "quillet/options_values.h"
#include "quillet/user_menu.h"
#include "quillet/ui/date_time_dialog.h"
#include "quillet/ui/sheet_editor.h"
#include "shared/mail/mail_composer.h"
#include "shared/platform/prompter.h"
#include "shared/platform/qt_clock.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace quillet {

void MainWindow::connectExtras()
{
    if (!m_config.clock) {
        m_ownClock = std::make_unique<QtClock>();
        m_config.clock = m_ownClock.get();
    }
    if (!m_config.association) {
        m_ownAssociation = std::make_unique<XdgFileAssociation>(XdgFileAssociation::forThisProgram());
        m_config.association = m_ownAssociation.get();
    }
    if (m_config.mailFolder.isEmpty())
        m_config.mailFolder = QDir(m_config.tempFolder).filePath(QStringLiteral("quillet-mail"));

    m_actions.setHandler(cmd::Send, this, [this] { sendMail(); });
    m_actions.setHandler(cmd::DateTime, this, [this] { insertDateTime(); });
    m_actions.setHandler(cmd::EditUserMenu, this, [this] { options(true); });
    rebuildUserMenu();
    // Files of mails sent in earlier runs that no mail program needs any more.
    MailAttachment::removeOld(m_config.mailFolder, m_config.clock->now());
}

void MainWindow::rebuildUserMenu()
{
    for (QAction* action : std::as_const(m_userActions)) {
        m_actions.remove(action->data().toInt());
        delete action;
    }
    m_userActions.clear();
    delete m_userSeparator;
    m_userSeparator = nullptr;

    const QList<UserMenu::Entry> entries = UserMenu::read(m_settings.ownSettings());
    if (entries.isEmpty())
        return;
    m_userSeparator = m_menus.user->addSeparator();
    int id = cmd::kFirstUserCommand;
    for (const UserMenu::Entry& entry : entries) {
        const QByteArray objectName = QStringLiteral("actBenutzer%1").arg(id - cmd::kFirstUserCommand).toUtf8();
        const QByteArray caption = entry.name.toUtf8();
        const QByteArray help = QStringLiteral("Fügt \"%1\" ein.").arg(entry.name).toUtf8();
        QAction* action = m_actions.add({id, objectName.constData(), caption.constData(), help.constData(), {}},
                                        m_menus.user);
        action->setData(id);
        const QString text = entry.text;
        m_actions.setHandler(id, this, [this, text] { insertAtCaret(text); });
        m_menus.user->addAction(action);
        m_userActions.append(action);
        ++id;
    }
}

void MainWindow::insertAtCaret(const QString& text)
{
    SheetEditor* editor = currentSheet().editor;
    if (!editor->insertText(text))
        return;
    editor->setFocus();
    updateStatus();
}

void MainWindow::insertDateTime()
{
    DateTimeDialog dialog(DateFormats::lines(m_config.clock->now()), this);
    if (dialog.exec() == QDialog::Accepted)
        insertAtCaret(dialog.chosen());
}

QString MainWindow::writeMailFile(const QString& name)
{
    const Sheet& sheet = currentSheet();
    const QString text = sheet.editor->rawText();
    const TextFormat format = sheet.format();
    const QString folder = m_config.mailFolder;
    QString error;
    QString path;
    const auto write = [&path, &error, text, format, folder, name] {
        path = MailAttachment::write(folder, name, MailAttachment::encode(text, format), &error);
    };
    // A large text is encoded and written on a worker, as a large file is read.
    if (text.size() <= kBackgroundRead)
        write();
    else
        runBusy(write);
    if (path.isEmpty())
        message(Messages::text(Messages::SendFailed, name) + u'\r' + error, BoxIcon::Information);
    return path;
}

void MainWindow::sendMail()
{
    if (m_busy)
        return;
    MailAttachment::removeOld(m_config.mailFolder, m_config.clock->now());
    const Sheet& sheet = currentSheet();
    const QString name = MailAttachment::fileName(sheet.path(), sheet.label);
    const QString file = writeMailFile(name);
    if (file.isEmpty())
        return;

    ComposedMail mail;
    const QString to = MailComposer::recipient(m_settings.text(QStringLiteral("fEmailName")),
                                               m_settings.text(QStringLiteral("fEmailAddress")));
    if (!to.isEmpty())
        mail.to = QStringList{to};
    mail.subject = m_settings.text(QStringLiteral("fEmailBetreff"));
    mail.text = m_settings.text(QStringLiteral("fEmailText"));
    mail.attachments = QStringList{file};
    mail.attachmentsRequired = true;
    const MailComposer::Result result = DesktopMailComposer(m_shell).compose(mail);
    if (result == MailComposer::Result::Opened)
        return;  // the mail program reads the file later; it goes at a later send or start
    QDir(QFileInfo(file).absolutePath()).removeRecursively();
    if (result == MailComposer::Result::NoMailProgram)
        message(Messages::text(Messages::NoMailSystem), BoxIcon::Critical);
    else
        message(Messages::text(Messages::SendFailed, name), BoxIcon::Information);
}

OptionsValues MainWindow::withExtras(OptionsValues values)
{
    values.associationFound = m_config.association->owner();
    values.association = values.associationFound;
    return values;
}

void MainWindow::applyExtras(const OptionsValues& values)
{
    rebuildUserMenu();
    if (values.association == values.associationFound || values.association == FileAssociation::Owner::Unknown)
        return;
    const FileAssociation::Result result = values.association == FileAssociation::Owner::Quillet
                                               ? m_config.association->useQuillet()
                                               : m_config.association->useSystemEditor();
    if (!result.ok)
        message(result.message, BoxIcon::Critical);
}

} // namespace quillet
