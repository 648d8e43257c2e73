#include "quillet/options_values.h"

namespace quillet {

OptionsValues OptionsValues::read(const EditorSettings& s)
{
    OptionsValues v;
    v.undoLimit = std::clamp(s.number(QStringLiteral("iUndoLimit")), 1, 32767);
    v.maxText = s.number(QStringLiteral("fMaxText")) != 0;
    v.maxCount = s.textLimit();
    v.toolText = s.number(QStringLiteral("bToolText")) != 0;
    v.saveWindowPositions = s.number(QStringLiteral("fSaveWindowPositions")) != 0;
    v.savePageSettings = s.number(QStringLiteral("fSavePageSettings")) != 0;
    v.autoSave = s.number(QStringLiteral("fAutoSave")) != 0;
    v.autoSaveMinutes = std::clamp(s.number(QStringLiteral("vAutoSaveMinutes")), 1, 59);
    v.defaultDirectory = s.number(QStringLiteral("fDefaultDirectory")) != 0;
    v.directory = s.text(QStringLiteral("fDirectory"));
    v.emailName = s.text(QStringLiteral("fEmailName"));
    v.emailAddress = s.text(QStringLiteral("fEmailAddress"));
    v.emailSubject = s.text(QStringLiteral("fEmailBetreff"));
    v.emailText = s.text(QStringLiteral("fEmailText"));
    v.fileTypes = FileTypeList::parse(s.text(QStringLiteral("fExtension")));
    v.useOrgReg = s.useOrgReg();
    v.conversions = UserConversions::read(s.ownSettings());
    v.userMenu = UserMenu::read(s.ownSettings());
    return v;
}

int OptionsValues::textLimit() const
{
    return EditorSettings::limitFrom(maxText ? 1 : 0, maxCount);
}

void OptionsValues::write(EditorSettings& s) const
{
    s.setNumber(QStringLiteral("iUndoLimit"), undoLimit);
    s.setNumber(QStringLiteral("fMaxText"), maxText ? 1 : 0);
    if (!maxText)
        s.setNumber(QStringLiteral("iMaxCount"), maxCount);
    s.setNumber(QStringLiteral("bToolText"), toolText ? 1 : 0);
    // Switching the key comes first: the values below go to the newly active key.
    s.setNumber(QStringLiteral("fUseOrgReg"), useOrgReg ? 1 : 0);
    s.setText(QStringLiteral("fEmailName"), emailName);
    s.setText(QStringLiteral("fEmailAddress"), emailAddress);
    s.setText(QStringLiteral("fEmailBetreff"), emailSubject);
    s.setText(QStringLiteral("fEmailText"), emailText);
    s.setNumber(QStringLiteral("fSaveWindowPositions"), saveWindowPositions ? 1 : 0);
    s.setNumber(QStringLiteral("fSavePageSettings"), savePageSettings ? 1 : 0);
    s.setNumber(QStringLiteral("fDefaultDirectory"), defaultDirectory ? 1 : 0);
    s.setNumber(QStringLiteral("fAutoSave"), autoSave ? 1 : 0);
    s.setNumber(QStringLiteral("vAutoSaveMinutes"), std::clamp(autoSaveMinutes, 1, 59));
    if (!saveWindowPositions) {
        for (const char* name : {"iWindowPosX", "iWindowPosY", "iWindowPosDX", "iWindowPosDY"})
            s.remove(QLatin1String(name));
    }
    if (!savePageSettings) {
        for (const char* name :
             {"iMarginLeft", "iMarginTop", "iMarginRight", "iMarginBottom", "szHeader", "szTrailer"})
            s.remove(QLatin1String(name));
    }
    if (defaultDirectory)
        s.setText(QStringLiteral("fDirectory"), directory);
    else
        s.remove(QStringLiteral("fDirectory"));
    const QString joined = FileTypeList::join(fileTypes);
    if (!joined.isEmpty())
        s.setText(QStringLiteral("fExtension"), joined);
    UserConversions::store(s.ownSettings(), conversions);
    UserMenu::write(s.ownSettings(), userMenu);
    s.sync();
}

} // namespace quillet
