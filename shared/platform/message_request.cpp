#include "shared/platform/prompter.h"

QList<BoxAnswer> MessageRequest::answers() const
{
    switch (buttons) {
    case BoxButtons::Ok: return {BoxAnswer::Ok};
    case BoxButtons::OkCancel: return {BoxAnswer::Ok, BoxAnswer::Cancel};
    case BoxButtons::AbortRetryIgnore: return {BoxAnswer::Abort, BoxAnswer::Retry, BoxAnswer::Ignore};
    case BoxButtons::YesNoCancel: return {BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Cancel};
    case BoxButtons::YesNo: return {BoxAnswer::Yes, BoxAnswer::No};
    case BoxButtons::RetryCancel: return {BoxAnswer::Retry, BoxAnswer::Cancel};
    }
    return {BoxAnswer::Ok};
}

BoxAnswer MessageRequest::defaultAnswer() const
{
    const auto all = answers();
    if (defaultButton >= 1 && defaultButton <= all.size())
        return all.at(defaultButton - 1);
    return all.first();
}

QString boxButtonsName(BoxButtons b)
{
    switch (b) {
    case BoxButtons::Ok: return QStringLiteral("Ok");
    case BoxButtons::OkCancel: return QStringLiteral("OkCancel");
    case BoxButtons::AbortRetryIgnore: return QStringLiteral("AbortRetryIgnore");
    case BoxButtons::YesNoCancel: return QStringLiteral("YesNoCancel");
    case BoxButtons::YesNo: return QStringLiteral("YesNo");
    case BoxButtons::RetryCancel: return QStringLiteral("RetryCancel");
    }
    return QString();
}

QString boxIconName(BoxIcon i)
{
    switch (i) {
    case BoxIcon::None: return QStringLiteral("None");
    case BoxIcon::Critical: return QStringLiteral("Critical");
    case BoxIcon::Question: return QStringLiteral("Question");
    case BoxIcon::Exclamation: return QStringLiteral("Warning");
    case BoxIcon::Information: return QStringLiteral("Information");
    }
    return QString();
}

QString boxAnswerName(BoxAnswer a)
{
    switch (a) {
    case BoxAnswer::Ok: return QStringLiteral("Ok");
    case BoxAnswer::Cancel: return QStringLiteral("Cancel");
    case BoxAnswer::Abort: return QStringLiteral("Abort");
    case BoxAnswer::Retry: return QStringLiteral("Retry");
    case BoxAnswer::Ignore: return QStringLiteral("Ignore");
    case BoxAnswer::Yes: return QStringLiteral("Yes");
    case BoxAnswer::No: return QStringLiteral("No");
    }
    return QString();
}

std::optional<BoxAnswer> boxAnswerFromName(const QString& name)
{
    const QString n = name.trimmed();
    for (BoxAnswer a : {BoxAnswer::Ok, BoxAnswer::Cancel, BoxAnswer::Abort, BoxAnswer::Retry,
                        BoxAnswer::Ignore, BoxAnswer::Yes, BoxAnswer::No}) {
        if (boxAnswerName(a).compare(n, Qt::CaseInsensitive) == 0)
            return a;
    }
    return std::nullopt;
}
