#pragma once

#include "quillet/prompter.h"

#include <QList>
#include <QStringList>
#include <deque>

// Answers boxes from a queue and records every box. A box without a queued answer fails
// the test.
class ScriptedPrompter : public quillet::Prompter {
public:
    struct Box {
        QString kind;  // message, input, open, save, folder
        QString caption;
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    void answer(Answer a) { m_answers.push_back(answerName(a)); }
    void answerPath(const QString& path) { m_answers.push_back(path); }
    void answerCancel() { m_answers.push_back(QStringLiteral("<cancel>")); }
    bool allUsed() const { return m_answers.empty(); }

    Answer message(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                   Answer defaultButton) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> folder(const QString& caption, const QString& directory) override;

    QList<Box> boxes;
    QList<FileRequest> fileRequests;

private:
    QString take(const QString& kind);
    std::deque<QString> m_answers;
};
