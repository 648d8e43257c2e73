#include "terminal/core/function_bar.h"

#include "shared/cp1252.h"
#include "shared/daten_pipe.h"
#include "terminal/core/kunde_settings.h"

#include <QRegularExpression>

namespace tarvex {

namespace {

constexpr int kLastScriptSlot = 99;
static_assert(std::tuple_size_v<decltype(KundeSettings::fLeisteTasten)> == FunctionButton::kMaxButtons);

} // namespace

std::optional<FunctionButton> FunctionButton::fromRecord(const QString& record)
{
    if (record.trimmed().isEmpty())
        return std::nullopt;
    bool kindOk = false, imageOk = false;
    const int kind = DatenPipe(1, record).trimmed().toInt(&kindOk);
    const int image = DatenPipe(2, record).trimmed().toInt(&imageOk);
    const QString value = DatenPipe(3, record);
    if (!kindOk || !imageOk || image < 0 || image >= kImages || value.isEmpty())
        return std::nullopt;
    FunctionButton b;
    b.image = image;
    b.value = value;
    bool numberOk = false;
    const int number = value.trimmed().toInt(&numberOk);
    switch (kind) {
    case int(Kind::Function):
        if (!numberOk || number <= 0)
            return std::nullopt;
        b.kind = Kind::Function;
        b.value = QString::number(number);
        return b;
    case int(Kind::Script):
        if (!numberOk || number < 1 || number > kLastScriptSlot)
            return std::nullopt;
        b.kind = Kind::Script;
        b.value = QString::number(number);
        return b;
    case int(Kind::Characters):
        b.kind = Kind::Characters;
        return b;
    default:
        return std::nullopt;
    }
}

QString FunctionButton::record() const
{
    const QString v = kind == Kind::Characters ? storedCharacters(value) : value;
    return pipeRecord({QString::number(int(kind)), QString::number(image), v});
}

QByteArray FunctionButton::characterBytes(const QString& text)
{
    static const QRegularExpression code(QStringLiteral("<(\\d{1,3})>"));
    QByteArray bytes;
    qsizetype from = 0;
    auto it = code.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int n = m.captured(1).toInt();
        if (n > 255)
            continue; // not a code: stays as typed
        bytes += Cp1252::encode(QStringView(text).mid(from, m.capturedStart() - from));
        bytes += char(n);
        from = m.capturedEnd();
    }
    bytes += Cp1252::encode(QStringView(text).mid(from));
    return bytes;
}

QString FunctionButton::storedCharacters(const QString& text)
{
    QString t = text;
    return t.replace(QLatin1Char('|'), QStringLiteral("<124>"));
}

QList<FunctionButton> functionButtons(const std::array<QString, FunctionButton::kMaxButtons>& stored)
{
    QList<FunctionButton> buttons;
    for (const QString& s : stored) {
        if (auto b = FunctionButton::fromRecord(s))
            buttons.append(*b);
    }
    return buttons;
}

std::array<QString, FunctionButton::kMaxButtons> functionButtonSlots(const QList<FunctionButton>& buttons)
{
    std::array<QString, FunctionButton::kMaxButtons> stored;
    for (qsizetype i = 0; i < buttons.size() && i < qsizetype(stored.size()); ++i)
        stored[std::size_t(i)] = buttons.at(i).record();
    return stored;
}

} // namespace tarvex
