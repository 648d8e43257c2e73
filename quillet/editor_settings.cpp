#include "quillet/editor_settings.h"

#include "quillet/file_type_list.h"

#include <QDir>
#include <array>

namespace quillet {
namespace {

using T = EditorSettings::Type;
using K = EditorSettings::Key;

constexpr std::array<EditorSettings::Value, 38> kValues = {{
    {"fUseOrgReg", T::Number, K::Own, 0, true},
    {"fSaveWindowPositions", T::Number, K::Active, 0, true},
    {"iWindowPosX", T::Number, K::Active, 0, false},
    {"iWindowPosY", T::Number, K::Active, 0, false},
    {"iWindowPosDX", T::Number, K::Active, 0, false},
    {"iWindowPosDY", T::Number, K::Active, 0, false},
    {"fSavePageSettings", T::Number, K::Active, 0, true},
    {"iMarginLeft", T::Number, K::Active, 2000, true},
    {"iMarginTop", T::Number, K::Active, 2500, true},
    {"iMarginRight", T::Number, K::Active, 2500, true},
    {"iMarginBottom", T::Number, K::Active, 2000, true},
    {"szHeader", T::Text, K::Active, 0, true},
    {"szTrailer", T::Text, K::Active, 0, true},
    {"iPointSize", T::Number, K::Active, 100, true},
    {"lfWeight", T::Number, K::Active, 400, true},
    {"lfItalic", T::Number, K::Active, 0, true},
    {"lfCharSet", T::Number, K::Active, 0, true},
    {"lfPitchAndFamily", T::Number, K::Active, 49, true},
    {"lfFaceName", T::Text, K::Active, 0, true},
    {"lfQuality", T::Number, K::Active, 0, false},
    {"fWrap", T::Number, K::Active, 0, true},
    {"iUndoLimit", T::Number, K::Active, 100, true},
    {"fMaxText", T::Number, K::Active, 1, true},
    {"iMaxCount", T::Number, K::Active, EditorSettings::kMaxTextLimit, true},
    {"fAutoSave", T::Number, K::Active, 1, true},
    {"vAutoSaveMinutes", T::Number, K::Active, 5, true},
    {"bToolText", T::Number, K::Active, 1, true},
    {"fDefaultDirectory", T::Number, K::Own, 0, true},
    {"fDirectory", T::Text, K::Own, 0, true},
    {"fExtension", T::Text, K::Own, 0, true},
    {"fFiles0", T::Text, K::Own, 0, true},
    {"fFiles1", T::Text, K::Own, 0, true},
    {"fFiles2", T::Text, K::Own, 0, true},
    {"fFiles3", T::Text, K::Own, 0, true},
    {"fEmailName", T::Text, K::Own, 0, true},
    {"fEmailAddress", T::Text, K::Own, 0, true},
    {"fEmailBetreff", T::Text, K::Own, 0, true},
    {"fEmailText", T::Text, K::Own, 0, true},
}};

// Texts are read up to 256 bytes, as the stored value's buffer allows.
QString cutToBuffer(const QString& text)
{
    QString out = text;
    while (out.toUtf8().size() > 255)
        out.chop(1);
    return out;
}

} // namespace

EditorSettings::EditorSettings(QSettings& own, QSettings& shared)
    : m_own(own), m_shared(shared)
{
}

std::span<const EditorSettings::Value> EditorSettings::table()
{
    return kValues;
}

const EditorSettings::Value* EditorSettings::find(const QString& name)
{
    for (const Value& value : kValues) {
        if (name == QLatin1String(value.name))
            return &value;
    }
    return nullptr;
}

QSettings& EditorSettings::settingsFor(const Value& value) const
{
    if (value.key == Key::Own)
        return m_own;
    return useOrgReg() ? m_shared : m_own;
}

bool EditorSettings::useOrgReg() const
{
    bool ok = false;
    const int v = m_own.value(QStringLiteral("fUseOrgReg")).toInt(&ok);
    return ok && v == 1;
}

std::optional<int> EditorSettings::numberIfSet(const QString& name) const
{
    const Value* value = find(name);
    if (!value || value->type != Type::Number)
        return std::nullopt;
    const QVariant stored = settingsFor(*value).value(name);
    bool ok = false;
    const int n = stored.toInt(&ok);
    if (stored.isValid() && ok)
        return n;
    if (value->hasDefault)
        return value->numberDefault;
    return std::nullopt;
}

int EditorSettings::number(const QString& name) const
{
    return numberIfSet(name).value_or(0);
}

QString EditorSettings::textDefault(const QString& name) const
{
    if (name == QLatin1String("szHeader"))
        return QStringLiteral("&n");
    if (name == QLatin1String("szTrailer"))
        return QStringLiteral("Seite &s");
    if (name == QLatin1String("lfFaceName"))
        return QStringLiteral("Courier New");
    if (name == QLatin1String("fDirectory"))
        return QDir::currentPath();
    if (name == QLatin1String("fExtension"))
        return FileTypeList::defaultList();
    return {};
}

QString EditorSettings::text(const QString& name) const
{
    const Value* value = find(name);
    if (!value || value->type != Type::Text)
        return {};
    const QVariant stored = settingsFor(*value).value(name);
    QString t;
    if (stored.isValid() && stored.canConvert<QString>())
        t = stored.toString();
    // The file-type list is stored up to its own length limit; other texts are cut.
    if (name != QLatin1String("fExtension"))
        t = cutToBuffer(t);
    if (t.isEmpty())
        return textDefault(name);
    return t;
}

void EditorSettings::setNumber(const QString& name, int value)
{
    const Value* def = find(name);
    if (!def || def->type != Type::Number)
        return;
    settingsFor(*def).setValue(name, value);
}

void EditorSettings::setText(const QString& name, const QString& value)
{
    const Value* def = find(name);
    if (!def || def->type != Type::Text)
        return;
    settingsFor(*def).setValue(name, value);
}

void EditorSettings::remove(const QString& name)
{
    const Value* def = find(name);
    if (!def)
        return;
    settingsFor(*def).remove(name);
}

void EditorSettings::sync()
{
    m_own.sync();
    m_shared.sync();
}

int EditorSettings::limitFrom(int maxTextFlag, int maxCount)
{
    if (maxTextFlag != 0 || maxCount < 1 || maxCount > kMaxTextLimit)
        return kMaxTextLimit;
    return maxCount;
}

int EditorSettings::textLimit() const
{
    return limitFrom(number(QStringLiteral("fMaxText")), number(QStringLiteral("iMaxCount")));
}

QStringList EditorSettings::recentFiles() const
{
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths.append(text(QStringLiteral("fFiles%1").arg(i)));
    return paths;
}

void EditorSettings::setRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < 4; ++i)
        setText(QStringLiteral("fFiles%1").arg(i), paths.value(i));
}

} // namespace quillet
