#include "scripted_prompter.h"

#include <gtest/gtest.h>

QString ScriptedPrompter::take(const QString& kind)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << kind.toStdString() << " box: "
                      << (boxes.isEmpty() ? std::string() : boxes.last().text.toStdString());
        return QStringLiteral("<cancel>");
    }
    QString a = m_answers.front();
    m_answers.pop_front();
    return a;
}

quillet::Prompter::Answer ScriptedPrompter::message(const QString& caption, const QString& text, Buttons buttons,
                                                    Icon icon, Answer defaultButton)
{
    boxes.append({QStringLiteral("message"), caption, text, buttons, icon});
    const std::optional<Answer> a = answerFromName(take(QStringLiteral("message")));
    return a && offers(buttons, *a) ? *a : defaultButton;
}

std::optional<QString> ScriptedPrompter::input(const QString& caption, const QString& prompt, const QString&)
{
    boxes.append({QStringLiteral("input"), caption, prompt, Buttons::OkCancel, Icon::None});
    const QString a = take(QStringLiteral("input"));
    if (a == QLatin1String("<cancel>"))
        return std::nullopt;
    return a;
}

std::optional<QString> ScriptedPrompter::openFile(const FileRequest& request)
{
    boxes.append({QStringLiteral("open"), request.caption, request.directory, Buttons::OkCancel, Icon::None});
    fileRequests.append(request);
    const QString a = take(QStringLiteral("open"));
    if (a.isEmpty() || a == QLatin1String("<cancel>"))
        return std::nullopt;
    return a;
}

std::optional<QString> ScriptedPrompter::saveFile(const FileRequest& request)
{
    boxes.append({QStringLiteral("save"), request.caption, request.directory, Buttons::OkCancel, Icon::None});
    fileRequests.append(request);
    const QString a = take(QStringLiteral("save"));
    if (a.isEmpty() || a == QLatin1String("<cancel>"))
        return std::nullopt;
    return a;
}

std::optional<QString> ScriptedPrompter::folder(const QString& caption, const QString& directory)
{
    boxes.append({QStringLiteral("folder"), caption, directory, Buttons::OkCancel, Icon::None});
    const QString a = take(QStringLiteral("folder"));
    if (a.isEmpty() || a == QLatin1String("<cancel>"))
        return std::nullopt;
    return a;
}
