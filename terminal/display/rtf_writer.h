#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tarvex {

// Writes text with its fonts and colours as a rich text (RTF) document that word
// processors open. Characters of Windows-1252 are written as such, all others as Unicode.
class RtfWriter
{
public:
    struct Color
    {
        int red = 0;
        int green = 0;
        int blue = 0;
        bool operator==(const Color&) const = default;
    };

    struct Run
    {
        QString text;                    // no line ends; paragraphs end with endParagraph()
        QString fontName = QStringLiteral("Courier New");
        int pointSize = 10;
        Color color;
        std::optional<Color> background;
        bool bold = false;
        bool italic = false;
        bool underline = false;
    };

    void add(const Run& run);
    void endParagraph();

    QByteArray document() const;

    static QByteArray escaped(const QString& text);

private:
    int fontIndex(const QString& name);
    int colorIndex(const Color& color);

    QStringList m_fonts;
    QList<Color> m_colors;
    QByteArray m_body;
};

} // namespace tarvex
