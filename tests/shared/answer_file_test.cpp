#include "shared/platform/answer_file.h"
#include "shared/platform/scripted_prompter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QStringList logLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The prompter the programs get from TARVEX_ANSWERS / TARVEX_ANSWER_LOG.
std::unique_ptr<ScriptedPrompter> fromFiles(const QString& answers, const QString& log)
{
    auto p = std::make_unique<ScriptedPrompter>(AnswerFile::readAnswers(answers));
    p->setLogFile(log);
    return p;
}

TEST(AnswerFile, AnswersInOrderAndLogsEveryBox)
{
    QTemporaryDir dir;
    const QString answers = dir.filePath(QStringLiteral("a.txt"));
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    write(answers, "# comment\nno\nVielleicht\n/tmp/x y.txt|/tmp/z.txt\n<cancel>\nTäxt\n");
    auto file = fromFiles(answers, log);
    EXPECT_EQ(file->message(QStringLiteral("Quillet"), QStringLiteral("Frage\r\"a\\b\"\tx"), BoxButtons::YesNoCancel,
                            BoxIcon::Exclamation),
              BoxAnswer::No);
    // An unknown answer takes the default button.
    EXPECT_EQ(file->message(QStringLiteral("C"), QStringLiteral("T"), BoxButtons::OkCancel, BoxIcon::Question),
              BoxAnswer::Ok);
    // A dialog for one file takes the first of several paths.
    EXPECT_EQ(file->fileDialog({FileDialogKind::Open}), QStringList{QStringLiteral("/tmp/x y.txt")});
    EXPECT_EQ(file->fileDialog({FileDialogKind::Save}), QStringList{});
    EXPECT_EQ(file->input({QStringLiteral("C"), QStringLiteral("P"), {}}), std::optional<QString>(QStringLiteral("Täxt")));
    // Nothing left: the default.
    EXPECT_EQ(file->message(QStringLiteral("C"), QStringLiteral("T"), BoxButtons::YesNo, BoxIcon::None, 2),
              BoxAnswer::No);
    EXPECT_EQ(file->fileDialog({FileDialogKind::Folder, QStringLiteral("C"), QStringLiteral("/")}), QStringList{});

    const QStringList lines = logLines(log);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("message\tQuillet\tFrage\\r\"a\\\\b\"\\tx\tYesNoCancel\tWarning\tNo"));
    EXPECT_EQ(lines[1], QStringLiteral("message\tC\tT\tOkCancel\tQuestion\tOk"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("open\t")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\t/tmp/x y.txt")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("\t<cancel>")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("\tTäxt")));
    EXPECT_EQ(lines[5], QStringLiteral("message\tC\tT\tYesNo\tNone\t<default>:No"));
    EXPECT_TRUE(lines[6].endsWith(QStringLiteral("\t<default>:<cancel>")));
}

TEST(AnswerFile, MissingFileAnswersEverythingWithDefaults)
{
    auto file = fromFiles(QStringLiteral("/nonexistent/answers"), QString());
    EXPECT_EQ(file->message({}, {}, BoxButtons::YesNoCancel, BoxIcon::None, 3), BoxAnswer::Cancel);
    EXPECT_EQ(file->fileDialog({FileDialogKind::Open}), QStringList{});
}

} // namespace
