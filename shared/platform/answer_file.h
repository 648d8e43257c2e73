#pragma once

#include "shared/platform/scripted_prompter.h"

#include <QString>
#include <QStringList>

#include <memory>

// The automation hook of the real programs: when the environment variable
// TARVEX_ANSWERS names a file, boxes are answered from its lines (see ScriptedPrompter);
// TARVEX_ANSWER_LOG names a file that gets one line per box:
//   kind TAB caption TAB text TAB buttons TAB icon TAB answer
// with CR, LF, TAB and backslash written as \r \n \t \\.
class AnswerFile
{
public:
    static constexpr const char* kAnswersVariable = "TARVEX_ANSWERS";
    static constexpr const char* kLogVariable = "TARVEX_ANSWER_LOG";

    // The answer lines of a file (UTF-8; lines starting with "#" are skipped). A missing
    // file gives no answers.
    static QStringList readAnswers(const QString& path);

    static QString escape(const QString& text);
    static QString formatLogLine(const PromptRecord& record);
    static void appendLog(const QString& path, const PromptRecord& record);

    // The scripted prompter of the environment, or nullptr when TARVEX_ANSWERS is not set.
    static std::unique_ptr<ScriptedPrompter> fromEnvironment();
};
