#include "quillet/prompter.h"

namespace quillet {

QString Prompter::buttonsName(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QStringLiteral("Ok");
    case Buttons::OkCancel: return QStringLiteral("OkCancel");
    case Buttons::YesNo: return QStringLiteral("YesNo");
    case Buttons::YesNoCancel: return QStringLiteral("YesNoCancel");
    case Buttons::AbortRetryIgnore: return QStringLiteral("AbortRetryIgnore");
    case Buttons::RetryCancel: return QStringLiteral("RetryCancel");
    }
    return {};
}

QString Prompter::iconName(Icon icon)
{
    switch (icon) {
    case Icon::None: return QStringLiteral("None");
    case Icon::Information: return QStringLiteral("Information");
    case Icon::Question: return QStringLiteral("Question");
    case Icon::Warning: return QStringLiteral("Warning");
    case Icon::Critical: return QStringLiteral("Critical");
    }
    return {};
}

QString Prompter::answerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QStringLiteral("Ok");
    case Answer::Cancel: return QStringLiteral("Cancel");
    case Answer::Yes: return QStringLiteral("Yes");
    case Answer::No: return QStringLiteral("No");
    case Answer::Abort: return QStringLiteral("Abort");
    case Answer::Retry: return QStringLiteral("Retry");
    case Answer::Ignore: return QStringLiteral("Ignore");
    }
    return {};
}

std::optional<Prompter::Answer> Prompter::answerFromName(const QString& name)
{
    for (Answer a : {Answer::Ok, Answer::Cancel, Answer::Yes, Answer::No, Answer::Abort, Answer::Retry,
                     Answer::Ignore}) {
        if (name.trimmed().compare(answerName(a), Qt::CaseInsensitive) == 0)
            return a;
    }
    return std::nullopt;
}

bool Prompter::offers(Buttons buttons, Answer answer)
{
    switch (buttons) {
    case Buttons::Ok: return answer == Answer::Ok;
    case Buttons::OkCancel: return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNo: return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel: return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    case Buttons::AbortRetryIgnore:
        return answer == Answer::Abort || answer == Answer::Retry || answer == Answer::Ignore;
    case Buttons::RetryCancel: return answer == Answer::Retry || answer == Answer::Cancel;
    }
    return false;
}

} // namespace quillet
