#pragma once

#include "shared/platform/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

// What was asked and what was answered.
struct PromptRecord
{
    QString kind;    // message, input, open, save, folder
    QString caption; // caption or dialog title
    QString text;    // message text, input prompt or start folder
    QString buttons; // for messages
    QString icon;    // for messages
    QString answer;  // the answer given; "<default>:..." when no scripted answer was left
};

// Answers every box from a queue of answer lines instead of showing it, and records it.
// The answer lines are those of an answer file:
//   message box:  Ok | Cancel | Yes | No | Abort | Retry | Ignore (anything else: default button)
//   input box:    the text; "<cancel>" cancels
//   file dialog:  the path (several separated by "|"); empty or "<cancel>" cancels
// With no answer left a box gets its default button and a dialog is cancelled; such
// boxes are counted as unexpected, which tests check.
class ScriptedPrompter : public Prompter
{
public:
    explicit ScriptedPrompter(QStringList answers = {});

    void addAnswer(const QString& answer) { m_answers.append(answer); }
    void addAnswers(const QStringList& answers) { m_answers.append(answers); }
    // Every box is appended to this log file as it happens (empty: no log).
    void setLogFile(const QString& path) { m_logFile = path; }

    BoxAnswer message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    QStringList fileDialog(const FileDialogRequest& request) override;
    using Prompter::message;

    const QList<PromptRecord>& records() const { return m_records; }
    // The requests of the file dialogs, in order.
    const QList<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
    int unexpected() const { return m_unexpected; }
    int answersLeft() const { return int(m_answers.size()); }
    void clearRecords() { m_records.clear(); m_fileRequests.clear(); m_unexpected = 0; }

private:
    bool takeAnswer(QString* answer);
    void record(const PromptRecord& r);

    QStringList m_answers;
    QList<PromptRecord> m_records;
    QList<FileDialogRequest> m_fileRequests;
    QString m_logFile;
    int m_unexpected = 0;
};
