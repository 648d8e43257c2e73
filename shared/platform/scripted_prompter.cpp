#include "shared/platform/scripted_prompter.h"

#include "shared/platform/answer_file.h"

namespace {

const QString kCancel = QStringLiteral("<cancel>");

QString kindOf(FileDialogKind k)
{
    switch (k) {
    case FileDialogKind::Open:
    case FileDialogKind::OpenMany:
        return QStringLiteral("open");
    case FileDialogKind::Save:
        return QStringLiteral("save");
    case FileDialogKind::Folder:
        return QStringLiteral("folder");
    }
    return QString();
}

} // namespace

ScriptedPrompter::ScriptedPrompter(QStringList answers)
    : m_answers(std::move(answers))
{
}

bool ScriptedPrompter::takeAnswer(QString* answer)
{
    if (m_answers.isEmpty()) {
        ++m_unexpected;
        return false;
    }
    *answer = m_answers.takeFirst();
    return true;
}

void ScriptedPrompter::record(const PromptRecord& r)
{
    m_records.append(r);
    if (!m_logFile.isEmpty())
        AnswerFile::appendLog(m_logFile, r);
}

BoxAnswer ScriptedPrompter::message(const MessageRequest& request)
{
    PromptRecord r{QStringLiteral("message"), request.caption, request.text,
                   boxButtonsName(request.buttons), boxIconName(request.icon), QString()};
    QString line;
    BoxAnswer answer = request.defaultAnswer();
    if (takeAnswer(&line)) {
        const auto named = boxAnswerFromName(line);
        if (named && request.answers().contains(*named))
            answer = *named;
        r.answer = boxAnswerName(answer);
    } else {
        r.answer = QStringLiteral("<default>:") + boxAnswerName(answer);
    }
    record(r);
    return answer;
}

std::optional<QString> ScriptedPrompter::input(const InputRequest& request)
{
    PromptRecord r{QStringLiteral("input"), request.title, request.prompt, QString(), QString(), QString()};
    QString line;
    std::optional<QString> result;
    if (takeAnswer(&line)) {
        if (line != kCancel)
            result = line;
        r.answer = result ? *result : kCancel;
    } else {
        r.answer = QStringLiteral("<default>:") + kCancel;
    }
    record(r);
    return result;
}

QStringList ScriptedPrompter::fileDialog(const FileDialogRequest& request)
{
    m_fileRequests.append(request);
    PromptRecord r{kindOf(request.kind), request.title, request.startDir, QString(), QString(), QString()};
    QString line;
    QStringList result;
    if (takeAnswer(&line)) {
        if (!line.isEmpty() && line != kCancel)
            result = line.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        if (request.kind != FileDialogKind::OpenMany && result.size() > 1)
            result = QStringList{result.first()};
        r.answer = result.isEmpty() ? kCancel : result.join(QLatin1Char('|'));
    } else {
        r.answer = QStringLiteral("<default>:") + kCancel;
    }
    record(r);
    return result;
}
