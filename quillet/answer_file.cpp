#include "quillet/answer_file.h"

#include <QFile>

namespace quillet {

AnswerFile::AnswerFile(QString answersPath, QString logPath)
    : m_answersPath(std::move(answersPath)), m_logPath(std::move(logPath))
{
}

std::unique_ptr<AnswerFile> AnswerFile::fromEnvironment()
{
    const QString answers = qEnvironmentVariable("TARVEX_ANSWERS");
    if (answers.isEmpty())
        return nullptr;
    return std::make_unique<AnswerFile>(answers, qEnvironmentVariable("TARVEX_ANSWER_LOG"));
}

QString AnswerFile::escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

std::optional<QString> AnswerFile::next()
{
    if (!m_loaded) {
        m_loaded = true;
        QFile file(m_answersPath);
        if (file.open(QIODevice::ReadOnly)) {
            const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                QString line = lines[i];
                if (line.endsWith(u'\r'))
                    line.chop(1);
                if (line.startsWith(u'#'))
                    continue;
                // A final line break does not make an extra empty answer.
                if (i == lines.size() - 1 && line.isEmpty())
                    continue;
                m_lines.append(line);
            }
        }
    }
    if (m_next >= m_lines.size())
        return std::nullopt;
    return m_lines[m_next++];
}

void AnswerFile::log(const QString& kind, const QString& caption, const QString& text, const QString& buttons,
                     const QString& icon, const QString& answer)
{
    if (m_logPath.isEmpty())
        return;
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString line = kind + u'\t' + escape(caption) + u'\t' + escape(text) + u'\t' + buttons + u'\t' + icon +
                         u'\t' + escape(answer) + u'\n';
    file.write(line.toUtf8());
}

Prompter::Answer AnswerFile::message(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                                     Answer defaultButton)
{
    const std::optional<QString> line = next();
    Answer answer = defaultButton;
    QString logged;
    if (!line) {
        logged = QStringLiteral("<default>:") + answerName(defaultButton);
    } else {
        const std::optional<Answer> named = answerFromName(*line);
        if (named && offers(buttons, *named))
            answer = *named;
        logged = answerName(answer);
    }
    log(QStringLiteral("message"), caption, text, buttonsName(buttons), iconName(icon), logged);
    return answer;
}

std::optional<QString> AnswerFile::input(const QString& caption, const QString& prompt, const QString& initial)
{
    const std::optional<QString> line = next();
    if (!line) {
        log(QStringLiteral("input"), caption, prompt, QStringLiteral("OkCancel"), QStringLiteral("None"),
            QStringLiteral("<default>:<cancel>"));
        return std::nullopt;
    }
    if (*line == QLatin1String("<cancel>")) {
        log(QStringLiteral("input"), caption, prompt, QStringLiteral("OkCancel"), QStringLiteral("None"), *line);
        return std::nullopt;
    }
    log(QStringLiteral("input"), caption, prompt, QStringLiteral("OkCancel"), QStringLiteral("None"), *line);
    return *line;
}

std::optional<QString> AnswerFile::pathAnswer(const QString& kind, const QString& caption, const QString& text)
{
    const std::optional<QString> line = next();
    if (!line) {
        log(kind, caption, text, QStringLiteral("OkCancel"), QStringLiteral("None"),
            QStringLiteral("<default>:<cancel>"));
        return std::nullopt;
    }
    if (line->isEmpty() || *line == QLatin1String("<cancel>")) {
        log(kind, caption, text, QStringLiteral("OkCancel"), QStringLiteral("None"), QStringLiteral("<cancel>"));
        return std::nullopt;
    }
    log(kind, caption, text, QStringLiteral("OkCancel"), QStringLiteral("None"), *line);
    // The editor's dialogs choose one file; of several paths the first one counts.
    return line->section(u'|', 0, 0);
}

std::optional<QString> AnswerFile::openFile(const FileRequest& request)
{
    return pathAnswer(QStringLiteral("open"), request.caption, request.directory);
}

std::optional<QString> AnswerFile::saveFile(const FileRequest& request)
{
    return pathAnswer(QStringLiteral("save"), request.caption, request.directory);
}

std::optional<QString> AnswerFile::folder(const QString& caption, const QString& directory)
{
    return pathAnswer(QStringLiteral("folder"), caption, directory);
}

} // namespace quillet
