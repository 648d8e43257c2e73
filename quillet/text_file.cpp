#include "quillet/text_file.h"

#include "shared/cp1252.h"
#include "shared/disk_sync.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace quillet {
namespace {

TextFormat::LineEnd detectLineEnd(const QString& raw)
{
    if (raw.contains(QLatin1String("\r\n")))
        return TextFormat::LineEnd::CrLf;
    if (raw.contains(u'\n'))
        return TextFormat::LineEnd::Lf;
    if (raw.contains(u'\r'))
        return TextFormat::LineEnd::Cr;
    return TextFormat::LineEnd::CrLf;
}

QString toEditorText(const QString& raw, TextFormat& format)
{
    format.lineEnd = detectLineEnd(raw);
    format.strayMarkers = !raw.contains(QChar(TextFile::kStrayCr)) && !raw.contains(QChar(TextFile::kStrayLf));
    const QChar strayCr = format.strayMarkers ? QChar(TextFile::kStrayCr) : QChar(u'\n');
    const QChar strayLf = format.strayMarkers ? QChar(TextFile::kStrayLf) : QChar(u'\n');
    QString out;
    out.reserve(raw.size());
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = raw[i];
        if (c == u'\r') {
            if (format.lineEnd == TextFormat::LineEnd::CrLf && i + 1 < n && raw[i + 1] == u'\n') {
                out += u'\n';
                ++i;
            } else if (format.lineEnd == TextFormat::LineEnd::Cr) {
                out += u'\n';
            } else {
                out += strayCr;
            }
        } else if (c == u'\n') {
            out += format.lineEnd == TextFormat::LineEnd::Lf ? QChar(u'\n') : strayLf;
        } else {
            out += c;
        }
    }
    return out;
}

QString toFileText(const QString& text, const TextFormat& format)
{
    QString lineEnd;
    switch (format.lineEnd) {
    case TextFormat::LineEnd::CrLf: lineEnd = QStringLiteral("\r\n"); break;
    case TextFormat::LineEnd::Lf: lineEnd = QStringLiteral("\n"); break;
    case TextFormat::LineEnd::Cr: lineEnd = QStringLiteral("\r"); break;
    }
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        if (c == u'\n')
            out += lineEnd;
        else if (format.strayMarkers && c == QChar(TextFile::kStrayCr))
            out += u'\r';
        else if (format.strayMarkers && c == QChar(TextFile::kStrayLf))
            out += u'\n';
        else
            out += c;
    }
    return out;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

TextFormat::Encoding TextFile::detectEncoding(const QByteArray& bytes)
{
    // A mark followed by bytes that are no UTF-8 would lose those bytes on the way through
    // the editor: such a file is read as Windows-1252, which keeps every byte.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return isValidUtf8(bytes.mid(3)) ? TextFormat::Encoding::Utf8Bom : TextFormat::Encoding::Windows1252;
    bool ascii = true;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii && isValidUtf8(bytes))
        return TextFormat::Encoding::Utf8;
    return TextFormat::Encoding::Windows1252;
}

LoadedText TextFile::decode(const QByteArray& bytes)
{
    LoadedText result;
    result.format.encoding = detectEncoding(bytes);
    QString raw;
    switch (result.format.encoding) {
    case TextFormat::Encoding::Windows1252:
        raw = Cp1252::decode(bytes);
        break;
    case TextFormat::Encoding::Utf8:
        raw = QString::fromUtf8(bytes);
        break;
    case TextFormat::Encoding::Utf8Bom: {
        // Only the first mark is the file's; a second one right behind it is text.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        raw = decoder(bytes.mid(3));
        break;
    }
    }
    result.text = toEditorText(raw, result.format);
    result.ok = true;
    return result;
}

qint64 TextFile::fewestCharacters(qint64 fileSize)
{
    constexpr qint64 kMark = 3;  // the UTF-8 byte-order mark gives no character
    return fileSize <= kMark ? 0 : (fileSize - kMark + 2) / 3;
}

LoadedText TextFile::load(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        LoadedText failed;
        failed.error = QStringLiteral("\"%1\" ist ein Verzeichnis und keine Datei.").arg(path);
        return failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LoadedText failed;
        failed.error = file.errorString();
        return failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        LoadedText failed;
        failed.error = file.errorString();
        return failed;
    }
    return decode(bytes);
}

QByteArray TextFile::encode(const QString& text, const TextFormat& format, bool* lossy)
{
    const QString fileText = toFileText(text, format);
    if (lossy)
        *lossy = false;
    switch (format.encoding) {
    case TextFormat::Encoding::Windows1252:
        return Cp1252::encode(fileText, lossy);
    case TextFormat::Encoding::Utf8:
        return fileText.toUtf8();
    case TextFormat::Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + fileText.toUtf8();
    }
    return {};
}

QString TextFile::save(const QString& path, const QString& text, const TextFormat& format)
{
    return writeBytes(path, encode(text, format));
}

QString TextFile::writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Atomic where the folder lets us create the temporary file beside the target; a
    // writable file in a folder we may not write is written in place instead.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    // commit() syncs the data before the rename; the folder's entry follows.
    if (!file.commit())
        return file.errorString();
    DiskSync::syncFolderOf(path);
    return {};
}

QString TextFile::encodingName(TextFormat::Encoding encoding)
{
    switch (encoding) {
    case TextFormat::Encoding::Windows1252: return QStringLiteral("ANSI");
    case TextFormat::Encoding::Utf8: return QStringLiteral("UTF-8");
    case TextFormat::Encoding::Utf8Bom: return QStringLiteral("UTF-8 BOM");
    }
    return {};
}

} // namespace quillet
