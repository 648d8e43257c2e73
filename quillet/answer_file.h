#pragma once

#include "quillet/prompter.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace quillet {

// Answers every box from the file named by TARVEX_ANSWERS, one line per box, and logs each
// box to the file named by TARVEX_ANSWER_LOG, so whole-program tests can drive the editor.
class AnswerFile : public Prompter {
public:
    AnswerFile(QString answersPath, QString logPath);
    // Null when TARVEX_ANSWERS is not set.
    static std::unique_ptr<AnswerFile> fromEnvironment();

    Answer message(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                   Answer defaultButton) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> folder(const QString& caption, const QString& directory) override;

    static QString escape(const QString& text);

private:
    std::optional<QString> next();
    std::optional<QString> pathAnswer(const QString& kind, const QString& caption, const QString& text);
    void log(const QString& kind, const QString& caption, const QString& text, const QString& buttons,
             const QString& icon, const QString& answer);

    QString m_answersPath;
    QString m_logPath;
    bool m_loaded = false;
    QStringList m_lines;
    qsizetype m_next = 0;
};

} // namespace quillet
