#include "shared/platform/answer_file.h"
#include "shared/platform/scripted_prompter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEveryBox)
{
    ScriptedPrompter p({"No", "Ja-nicht-bekannt", "Text mit Blank", "<cancel>", "/tmp/a.txt|/tmp/b.txt", ""});
    EXPECT_EQ(p.message("Sicherheitsabfrage", "Wirklich?", BoxButtons::YesNo, BoxIcon::Question), BoxAnswer::No);
    // An unknown word answers with the default button (here the second).
    EXPECT_EQ(p.message("Frage", "x", BoxButtons::YesNo, BoxIcon::Question, 2), BoxAnswer::No);
    EXPECT_EQ(p.input({"Titel", "Wert?", "vor"}), QString("Text mit Blank"));
    EXPECT_EQ(p.input({"Titel", "Wert?", "vor"}), std::nullopt);
    EXPECT_EQ(p.fileDialog({FileDialogKind::OpenMany, "Öffnen"}), (QStringList{"/tmp/a.txt", "/tmp/b.txt"}));
    EXPECT_EQ(p.fileDialog({FileDialogKind::Save, "Sichern"}), QStringList{});
    EXPECT_EQ(p.unexpected(), 0);
    ASSERT_EQ(p.records().size(), 6);
    EXPECT_EQ(p.records()[0].caption, "Sicherheitsabfrage");
    EXPECT_EQ(p.records()[0].buttons, "YesNo");
    EXPECT_EQ(p.records()[0].icon, "Question");
    EXPECT_EQ(p.records()[4].kind, "open");
}

TEST(ScriptedPrompter, WithoutAnswersBoxesGetTheirDefaultAndCount)
{
    ScriptedPrompter p;
    EXPECT_EQ(p.message("Sicherheitsabfrage", "?", BoxButtons::YesNo, BoxIcon::Question, 2), BoxAnswer::No);
    EXPECT_EQ(p.message("Information", "!", BoxButtons::Ok, BoxIcon::Information), BoxAnswer::Ok);
    EXPECT_EQ(p.input({"T", "P", "preset"}), std::nullopt);
    EXPECT_EQ(p.unexpected(), 3);
    EXPECT_EQ(p.records()[0].answer, "<default>:No");
}

TEST(ScriptedPrompter, AnswerThatIsNotAButtonOfTheBoxFallsBackToDefault)
{
    ScriptedPrompter p({"Yes"});
    EXPECT_EQ(p.message("Information", "x", BoxButtons::Ok, BoxIcon::Information), BoxAnswer::Ok);
}

TEST(AnswerFile, ReadsAnswersSkipsCommentsAndLogsEscaped)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("answers.txt"));
    f.open(QIODevice::WriteOnly);
    f.write("# Kommentar\r\nYes\r\n\r\nPfad mit ä\r\n");
    f.close();
    EXPECT_EQ(AnswerFile::readAnswers(f.fileName()), (QStringList{"Yes", "", "Pfad mit ä"}));
    EXPECT_EQ(AnswerFile::readAnswers(dir.filePath("fehlt")), QStringList{});

    const QString log = dir.filePath("log.txt");
    ScriptedPrompter p({"Yes"});
    p.setLogFile(log);
    p.message("Sicherheitsabfrage", "Zeile 1\rZeile\t2 \\", BoxButtons::YesNo, BoxIcon::Question);
    QFile l(log);
    l.open(QIODevice::ReadOnly);
    EXPECT_EQ(QString::fromUtf8(l.readAll()),
              "message\tSicherheitsabfrage\tZeile 1\\rZeile\\t2 \\\\\tYesNo\tQuestion\tYes\n");
}

} // namespace
