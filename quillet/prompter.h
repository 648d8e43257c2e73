#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quillet {

// Every message box, input box and file or folder dialog of the editor goes through this
// interface: the real one shows Qt dialogs, the answer-file one reads its answers from a
// file, tests script them.
class Prompter {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

    struct FileRequest {
        QString caption;
        QString directory;
        QString fileName;       // proposed name (save)
        QStringList filters;    // Qt name filters
        QString defaultSuffix;  // without the dot
        QStringList patterns;   // the pattern of each filter, for the extension switch
    };

    virtual ~Prompter() = default;

    virtual Answer message(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                           Answer defaultButton) = 0;
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& initial) = 0;
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    virtual std::optional<QString> folder(const QString& caption, const QString& directory) = 0;

    static QString buttonsName(Buttons buttons);
    static QString iconName(Icon icon);
    static QString answerName(Answer answer);
    static std::optional<Answer> answerFromName(const QString& name);
    static bool offers(Buttons buttons, Answer answer);
};

} // namespace quillet
