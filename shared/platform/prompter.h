#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Buttons, icons and answers of a message box.
enum class BoxButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class BoxIcon { None, Critical, Question, Exclamation, Information };
enum class BoxAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct MessageRequest
{
    QString caption;
    QString text;          // "\r" separates lines
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
    int defaultButton = 1; // 1 = first button of the set

    QList<BoxAnswer> answers() const;      // the buttons of the set, in order
    BoxAnswer defaultAnswer() const;
};

struct InputRequest
{
    QString title;
    QString prompt;
    QString preset;
};

enum class FileDialogKind { Open, OpenMany, Save, Folder };

struct FileDialogRequest
{
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QString startDir;
    QString fileName;         // preset file name
    QString filter;           // "Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*" pairs, or Qt's ";;" form
    int filterIndex = 1;      // 1-based
    QString defaultExtension; // without the dot
    // Save dialogs: ask before an existing file is chosen. Off where the caller replaces
    // the file by design.
    bool confirmOverwrite = true;
    // When set, choosing another file type in the dialog replaces the typed file name by
    // what this returns for it and the new type (1-based index into the filter).
    std::function<QString(const QString& typedName, int filterIndex)> renameForFilter;
};

// Everything the programs ask the user goes through this interface.
class Prompter
{
public:
    virtual ~Prompter() = default;

    virtual BoxAnswer message(const MessageRequest& request) = 0;
    // Returns no value when the user cancels.
    virtual std::optional<QString> input(const InputRequest& request) = 0;
    // The chosen paths; empty when cancelled.
    virtual QStringList fileDialog(const FileDialogRequest& request) = 0;

    // Shorthands.
    BoxAnswer message(const QString& caption, const QString& text, BoxButtons buttons,
                      BoxIcon icon, int defaultButton = 1)
    {
        return message(MessageRequest{caption, text, buttons, icon, defaultButton});
    }
    void information(const QString& text)
    {
        message(QStringLiteral("Information"), text, BoxButtons::Ok, BoxIcon::Information);
    }
    bool ask(const QString& text, int defaultButton = 1)
    {
        return message(QStringLiteral("Sicherheitsabfrage"), text, BoxButtons::YesNo, BoxIcon::Question,
                       defaultButton) == BoxAnswer::Yes;
    }
};

// Names used in answer files and logs.
QString boxButtonsName(BoxButtons b);
QString boxIconName(BoxIcon i);
QString boxAnswerName(BoxAnswer a);
std::optional<BoxAnswer> boxAnswerFromName(const QString& name);
