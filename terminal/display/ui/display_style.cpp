#include "terminal/display/ui/display_style.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "terminal/display/text_style.h"

namespace tarvex {

QFont DisplayStyle::fontFromRecord(const QString& record)
{
    QString name = DatenPipe(1, record);
    if (name.isEmpty())
        name = QStringLiteral("Courier New");
    int size = leadingInt(DatenPipe(2, record));
    if (size < 6)
        size = 6;
    if (size > 400)
        size = 400;
    QFont f(name);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(size);
    const auto wahr = [&](int n) { return DatenPipe(n, record) == QLatin1String("Wahr"); };
    f.setBold(wahr(3));
    f.setItalic(wahr(4));
    f.setUnderline(wahr(5));
    return f;
}

QString DisplayStyle::recordFromFont(const QFont& font)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("Wahr") : QStringLiteral("Falsch"); };
    const int size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    // A field can't hold the separator.
    QString name = font.family();
    name.remove(QLatin1Char('|'));
    return QLatin1Char('|') + name + QLatin1Char('|') + QString::number(size) + QLatin1Char('|') + flag(font.bold())
        + QLatin1Char('|') + flag(font.italic()) + QLatin1Char('|') + flag(font.underline()) + QLatin1Char('|');
}

QColor DisplayStyle::colorFromSetting(int value)
{
    const unsigned v = unsigned(value) & 0xFFFFFFu;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int DisplayStyle::settingFromColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QTextCharFormat DisplayStyle::charFormat(const TextStyle& style)
{
    QTextCharFormat format;
    format.setFontFamilies({style.fontName});
    format.setFontPointSize(style.fontSize);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    format.setForeground(QColor(style.red, style.green, style.blue));
    return format;
}

} // namespace tarvex
