#include "shared/platform/answer_file.h"

#include <QFile>

#include <memory>

QStringList AnswerFile::readAnswers(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList answers;
    for (const QString& l : lines) {
        if (!l.startsWith(QLatin1Char('#')))
            answers.append(l);
    }
    return answers;
}

QString AnswerFile::escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

QString AnswerFile::formatLogLine(const PromptRecord& r)
{
    return QStringList{r.kind, escape(r.caption), escape(r.text), r.buttons, r.icon, escape(r.answer)}
        .join(QLatin1Char('\t'));
}

void AnswerFile::appendLog(const QString& path, const PromptRecord& record)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the log is a test aid; a missing log must not stop the program
    f.write(formatLogLine(record).toUtf8() + '\n');
}

std::unique_ptr<ScriptedPrompter> AnswerFile::fromEnvironment()
{
    const QString answers = qEnvironmentVariable(kAnswersVariable);
    if (answers.isEmpty())
        return nullptr;
    auto p = std::make_unique<ScriptedPrompter>(readAnswers(answers));
    p->setLogFile(qEnvironmentVariable(kLogVariable));
    return p;
}
