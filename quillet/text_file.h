#pragma once

#include <QByteArray>
#include <QString>

namespace quillet {

// How a document's bytes look on disk, remembered per sheet so that saving writes the
// file back the way it came.
struct TextFormat {
    enum class Encoding { Windows1252, Utf8, Utf8Bom };
    enum class LineEnd { CrLf, Lf, Cr };
    Encoding encoding = Encoding::Windows1252;
    LineEnd lineEnd = LineEnd::CrLf;
    // Carriage returns and line feeds that are not part of the file's line end are shown as
    // the symbols U+240D / U+240A and written back as the original bytes. Off when the file
    // already contains those symbols as text.
    bool strayMarkers = true;

    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct LoadedText {
    bool ok = false;
    QString error;
    QString text;  // line breaks as '\n'
    TextFormat format;
};

// Reading and writing whole text files: encoding detection, line-end handling and the
// atomic write through a temporary file.
class TextFile {
public:
    static constexpr char16_t kStrayCr = 0x240D;
    static constexpr char16_t kStrayLf = 0x240A;

    static LoadedText load(const QString& path);
    // The fewest editor characters a file of this many bytes can give: a byte never gives
    // more than one, and the densest text, UTF-8 after its mark, takes three bytes for one.
    static qint64 fewestCharacters(qint64 fileSize);
    static LoadedText decode(const QByteArray& bytes);
    static TextFormat::Encoding detectEncoding(const QByteArray& bytes);

    // Characters the encoding cannot hold are replaced by '?' and reported in `lossy`.
    static QByteArray encode(const QString& text, const TextFormat& format, bool* lossy = nullptr);
    // Writes atomically (in place when the folder does not allow a temporary file beside
    // the target); returns an empty string on success, else the system's message.
    static QString save(const QString& path, const QString& text, const TextFormat& format);
    static QString writeBytes(const QString& path, const QByteArray& bytes);

    static QString encodingName(TextFormat::Encoding encoding);
};

} // namespace quillet
