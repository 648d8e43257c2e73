#include "shared/help_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(HelpFile, SitsBesideTheProgramWithTheExtensionReplaced)
{
    EXPECT_EQ(HelpFile::pathFor(QStringLiteral("/opt/kavimor/quillet")), QStringLiteral("/opt/kavimor/quillet.hlp"));
    EXPECT_EQ(HelpFile::pathFor(QStringLiteral("C:/Programme/Kavimor/Quillet.exe")),
              QStringLiteral("C:/Programme/Kavimor/Quillet.hlp"));
    EXPECT_EQ(HelpFile::pathFor(QStringLiteral("/x/quillet.v2.bin")), QStringLiteral("/x/quillet.v2.hlp"));
}

TEST(HelpFile, TopicsInFileOrderAndAnAlphabeticalIndex)
{
    const HelpFile help = HelpFile::fromHtml(QStringLiteral(
        "<h1>Titel</h1>"
        "<h2 id=\"suchen\" data-index=\"Ersetzen; Weitersuchen;;\"><a name=\"suchen\"></a>Suchen &amp; Ersetzen</h2><p>…</p>"
        "<H2 ID=\"blatt\">Blätter</H2>"
        "<h2 id=\"alt\" data-index=\"ÄNDERN\">Ältere\n Texte</h2>"));
    ASSERT_EQ(help.topics().size(), 3);
    EXPECT_EQ(help.topics()[0].id, QStringLiteral("suchen"));
    EXPECT_EQ(help.topics()[0].title, QStringLiteral("Suchen & Ersetzen"));
    EXPECT_EQ(help.topics()[0].keywords, (QStringList{QStringLiteral("Ersetzen"), QStringLiteral("Weitersuchen")}));
    EXPECT_EQ(help.topics()[1].title, QStringLiteral("Blätter"));
    EXPECT_EQ(help.topics()[2].title, QStringLiteral("Ältere Texte"));

    QStringList keywords;
    for (const HelpFile::IndexEntry& entry : help.index())
        keywords << entry.keyword + u'>' + entry.topicId;
    // German order: umlauts with their base letter, case ignored.
    EXPECT_EQ(keywords.join(u'|'), (QStringList{QStringLiteral("Ältere Texte>alt"), QStringLiteral("ÄNDERN>alt"),
                                     QStringLiteral("Blätter>blatt"), QStringLiteral("Ersetzen>suchen"),
                                     QStringLiteral("Suchen & Ersetzen>suchen"), QStringLiteral("Weitersuchen>suchen")}.join(u'|')));
}

TEST(HelpFile, TheShippedHelpHasTopicsAndAMissingFileSaysWhy)
{
    const auto shipped = HelpFile::load(QStringLiteral(TARVEX_SOURCE_DIR "/quillet/help/quillet.hlp"));
    ASSERT_TRUE(shipped.has_value());
    EXPECT_GE(shipped->topics().size(), 10);
    for (const HelpFile::Topic& topic : shipped->topics())
        EXPECT_TRUE(shipped->html().contains(QStringLiteral("<a name=\"%1\">").arg(topic.id))) << qPrintable(topic.id);

    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(HelpFile::load(dir.filePath(QStringLiteral("fehlt.hlp")), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

TEST(HelpFile, AKeywordNamesItsTopicByTitleOrKeyWordWhateverTheCase)
{
    const HelpFile help = HelpFile::fromHtml(QStringLiteral(
        "<h2 id=\"a\" data-index=\"Dialog Telefonbuch; Wählen\">Telefonbuch</h2><p>x</p>"
        "<h2 id=\"b\">Dialog  Suchen</h2>"));
    EXPECT_EQ(help.topicFor(QStringLiteral("dialog telefonbuch")), QStringLiteral("a"));
    EXPECT_EQ(help.topicFor(QStringLiteral("Telefonbuch")), QStringLiteral("a"));
    EXPECT_EQ(help.topicFor(QStringLiteral("Dialog Suchen")), QStringLiteral("b"));
    EXPECT_TRUE(help.topicFor(QStringLiteral("Dialog Alarme")).isEmpty());
}

