#include "quillet/editor_settings.h"
#include "quillet/options_values.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using quillet::EditorSettings;

namespace {

struct Stores {
    QTemporaryDir dir;
    QSettings own{dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat};
    QSettings shared{dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat};
    EditorSettings settings{own, shared};
};

} // namespace

TEST(EditorSettings, DefaultsOfEveryNumber)
{
    Stores s;
    const std::pair<const char*, int> numbers[] = {
        {"fUseOrgReg", 0},     {"fSaveWindowPositions", 0}, {"fSavePageSettings", 0}, {"iMarginLeft", 2000},
        {"iMarginTop", 2500},  {"iMarginRight", 2500},      {"iMarginBottom", 2000},  {"iPointSize", 100},
        {"lfWeight", 400},     {"lfItalic", 0},             {"lfCharSet", 0},         {"lfPitchAndFamily", 49},
        {"fWrap", 0},          {"iUndoLimit", 100},         {"fMaxText", 1},          {"iMaxCount", 268435455},
        {"fAutoSave", 1},      {"vAutoSaveMinutes", 5},     {"bToolText", 1},         {"fDefaultDirectory", 0},
    };
    for (const auto& [name, value] : numbers)
        EXPECT_EQ(s.settings.number(QLatin1String(name)), value) << name;
    EXPECT_FALSE(s.settings.numberIfSet(QStringLiteral("iWindowPosX")).has_value());
    EXPECT_EQ(s.settings.text(QStringLiteral("szHeader")), QStringLiteral("&n"));
    EXPECT_EQ(s.settings.text(QStringLiteral("szTrailer")), QStringLiteral("Seite &s"));
    EXPECT_EQ(s.settings.text(QStringLiteral("lfFaceName")), QStringLiteral("Courier New"));
    EXPECT_TRUE(s.settings.text(QStringLiteral("fExtension")).startsWith(QStringLiteral("Textdateien (*.txt)|*.txt|")));
    EXPECT_TRUE(s.settings.text(QStringLiteral("fFiles0")).isEmpty());
    EXPECT_EQ(EditorSettings::table().size(), 38u);
}

TEST(EditorSettings, WrongTypesAndEmptyTextsGiveDefaults)
{
    Stores s;
    s.own.setValue(QStringLiteral("iPointSize"), QStringLiteral("gross"));
    s.own.setValue(QStringLiteral("lfFaceName"), QString());
    s.own.setValue(QStringLiteral("iUndoLimit"), -5);
    EXPECT_EQ(s.settings.number(QStringLiteral("iPointSize")), 100);
    EXPECT_EQ(s.settings.text(QStringLiteral("lfFaceName")), QStringLiteral("Courier New"));
    EXPECT_EQ(s.settings.number(QStringLiteral("iUndoLimit")), -5);  // taken as stored
}

TEST(EditorSettings, SharedKeyServesActiveValuesOnly)
{
    Stores s;
    s.own.setValue(QStringLiteral("fUseOrgReg"), 1);
    s.shared.setValue(QStringLiteral("lfFaceName"), QStringLiteral("Lucida Console"));
    s.own.setValue(QStringLiteral("lfFaceName"), QStringLiteral("Arial"));
    s.own.setValue(QStringLiteral("fFiles0"), QStringLiteral("/own/a.txt"));
    s.shared.setValue(QStringLiteral("fFiles0"), QStringLiteral("/shared/b.txt"));
    EXPECT_EQ(s.settings.text(QStringLiteral("lfFaceName")), QStringLiteral("Lucida Console"));
    EXPECT_EQ(s.settings.text(QStringLiteral("fFiles0")), QStringLiteral("/own/a.txt"));
    s.settings.setNumber(QStringLiteral("fWrap"), 1);
    EXPECT_EQ(s.shared.value(QStringLiteral("fWrap")).toInt(), 1);
    EXPECT_FALSE(s.own.contains(QStringLiteral("fWrap")));
}

TEST(EditorSettings, TextLimit)
{
    const int max = EditorSettings::kMaxTextLimit;
    EXPECT_EQ(EditorSettings::limitFrom(1, 5000), max);
    EXPECT_EQ(EditorSettings::limitFrom(0, 5000), 5000);
    EXPECT_EQ(EditorSettings::limitFrom(0, 0), max);
    EXPECT_EQ(EditorSettings::limitFrom(0, -1), max);
    EXPECT_EQ(EditorSettings::limitFrom(0, max), max);
}

TEST(OptionsValues, ClearedBoxesDeleteWindowAndPageValues)
{
    Stores s;
    for (const char* name : {"iWindowPosX", "iWindowPosY", "iWindowPosDX", "iWindowPosDY", "iMarginLeft", "iMarginTop",
                             "iMarginRight", "iMarginBottom"})
        s.own.setValue(QLatin1String(name), 10);
    s.own.setValue(QStringLiteral("szHeader"), QStringLiteral("K"));
    s.own.setValue(QStringLiteral("fSaveWindowPositions"), 1);
    s.own.setValue(QStringLiteral("fSavePageSettings"), 1);
    s.own.setValue(QStringLiteral("fDirectory"), QStringLiteral("/alt"));

    quillet::OptionsValues v = quillet::OptionsValues::read(s.settings);
    EXPECT_TRUE(v.saveWindowPositions);
    v.saveWindowPositions = false;
    v.savePageSettings = false;
    v.maxText = false;
    v.maxCount = 1234;
    v.autoSaveMinutes = 7;
    v.emailSubject = QStringLiteral("Betreff");
    v.write(s.settings);

    for (const char* name : {"iWindowPosX", "iWindowPosY", "iWindowPosDX", "iWindowPosDY", "iMarginLeft", "iMarginTop",
                             "iMarginRight", "iMarginBottom", "szHeader", "szTrailer", "fDirectory"})
        EXPECT_FALSE(s.own.contains(QLatin1String(name))) << name;
    EXPECT_EQ(s.own.value(QStringLiteral("fSaveWindowPositions")).toInt(), 0);
    EXPECT_EQ(s.own.value(QStringLiteral("fMaxText")).toInt(), 0);
    EXPECT_EQ(s.own.value(QStringLiteral("iMaxCount")).toInt(), 1234);
    EXPECT_EQ(s.own.value(QStringLiteral("vAutoSaveMinutes")).toInt(), 7);
    EXPECT_EQ(s.own.value(QStringLiteral("fEmailBetreff")).toString(), QStringLiteral("Betreff"));
    EXPECT_EQ(s.settings.textLimit(), 1234);
}
