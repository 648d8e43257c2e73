#pragma once

#include <QString>
#include <QStringList>

class Shell;

// A mail to be finished by the user in the desktop mail program.
struct ComposedMail
{
    QStringList to;  // one address each; "Name <a@b.c>" is allowed
    QStringList cc;
    QStringList bcc;
    QString subject;
    QString text;             // lines separated by "\r", "\n" or "\r\n"
    QStringList attachments;  // paths of existing files
    // True: the mail is pointless without its attachments, so a mail program that cannot
    // take them is treated as no mail program. False: a mailto: address without the
    // attachments is the fallback.
    bool attachmentsRequired = false;
};

// Composes a mail with attachments in the mail program of the desktop: its compose window
// opens filled in and the user sends it. On Windows this would be Simple MAPI's
// MAPISendMail with its dialog; only the desktop variant below is built.
class MailComposer
{
public:
    enum class Result {
        Opened,         // the compose window was asked for
        NoMailProgram,  // nothing that can take this mail is there
        StartFailed,    // the mail program is there but did not start
    };

    virtual ~MailComposer() = default;
    virtual Result compose(const ComposedMail& mail) = 0;

    // The addresses of a field: split at ";" and ",", trimmed, empty ones dropped.
    static QStringList addresses(const QString& field);
    // Header values never carry line breaks.
    static QString singleLine(const QString& text);
    // "Name <address>" (the name quoted where it holds special characters), the address
    // alone without a name, nothing without an address.
    static QString recipient(const QString& name, const QString& address);
};

// The free desktops: xdg-email (recipients, subject, text and attachments as arguments, no
// command interpreter in between), a mailto: address where xdg-email is missing.
class DesktopMailComposer : public MailComposer
{
public:
    explicit DesktopMailComposer(Shell& shell) : m_shell(shell) {}

    Result compose(const ComposedMail& mail) override;

    static QStringList xdgEmailArguments(const ComposedMail& mail);
    // Attachments cannot travel in a mailto: address.
    static QString mailtoUrl(const ComposedMail& mail);

private:
    Shell& m_shell;
};
