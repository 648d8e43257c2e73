#include "quillet/answer_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quillet::AnswerFile;
using P = quillet::Prompter;

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

} // namespace

TEST(AnswerFile, AnswersInOrderAndLogsEveryBox)
{
    QTemporaryDir dir;
    const QString answers = dir.filePath(QStringLiteral("a.txt"));
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    write(answers, "# comment\nno\nVielleicht\n/tmp/x y.txt|/tmp/z.txt\n<cancel>\nTäxt\n");
    AnswerFile file(answers, log);
    EXPECT_EQ(file.message(QStringLiteral("Quillet"), QStringLiteral("Frage\r\"a\\b\"\tx"), P::Buttons::YesNoCancel,
                           P::Icon::Warning, P::Answer::Yes),
              P::Answer::No);
    // An unknown answer takes the default button.
    EXPECT_EQ(file.message(QStringLiteral("C"), QStringLiteral("T"), P::Buttons::OkCancel, P::Icon::Question,
                           P::Answer::Ok),
              P::Answer::Ok);
    EXPECT_EQ(file.openFile({}), std::optional<QString>(QStringLiteral("/tmp/x y.txt")));
    EXPECT_EQ(file.saveFile({}), std::nullopt);
    EXPECT_EQ(file.input(QStringLiteral("C"), QStringLiteral("P"), {}), std::optional<QString>(QStringLiteral("Täxt")));
    // Nothing left: the default.
    EXPECT_EQ(file.message(QStringLiteral("C"), QStringLiteral("T"), P::Buttons::YesNo, P::Icon::None, P::Answer::No),
              P::Answer::No);
    EXPECT_EQ(file.folder(QStringLiteral("C"), QStringLiteral("/")), std::nullopt);

    const QStringList lines = logLines(log);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("message\tQuillet\tFrage\\r\"a\\\\b\"\\tx\tYesNoCancel\tWarning\tNo"));
    EXPECT_EQ(lines[1], QStringLiteral("message\tC\tT\tOkCancel\tQuestion\tOk"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("open\t")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\t/tmp/x y.txt|/tmp/z.txt")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("\t<cancel>")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("\tTäxt")));
    EXPECT_EQ(lines[5], QStringLiteral("message\tC\tT\tYesNo\tNone\t<default>:No"));
    EXPECT_TRUE(lines[6].endsWith(QStringLiteral("\t<default>:<cancel>")));
}

TEST(AnswerFile, MissingFileAnswersEverythingWithDefaults)
{
    AnswerFile file(QStringLiteral("/nonexistent/answers"), QString());
    EXPECT_EQ(file.message({}, {}, P::Buttons::YesNoCancel, P::Icon::None, P::Answer::Cancel), P::Answer::Cancel);
    EXPECT_EQ(file.openFile({}), std::nullopt);
}
