#include "quillet/text_file.h"
#include "tests/support/file_rights.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using quillet::TextFile;
using quillet::TextFormat;

namespace {

QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    return bytes;
}

} // namespace

TEST(TextFile, DetectsTheEncoding)
{
    struct Case {
        QByteArray bytes;
        TextFormat::Encoding expected;
    };
    const Case cases[] = {
        {"plain ascii\r\n", TextFormat::Encoding::Windows1252},
        {"\xEF\xBB\xBFwith bom", TextFormat::Encoding::Utf8Bom},
        {"\xEF\xBB\xBF", TextFormat::Encoding::Utf8Bom},
        {"\xEF\xBB\xBF" "Bericht\x84", TextFormat::Encoding::Windows1252}, // a mark, then no UTF-8
        {"Gr\xC3\xBC\xC3\x9F" "e", TextFormat::Encoding::Utf8},
        {"Gr\xFC\xDF" "e", TextFormat::Encoding::Windows1252},
        {"\xC3", TextFormat::Encoding::Windows1252},  // cut UTF-8 sequence
        {QByteArray("a\0b", 3), TextFormat::Encoding::Windows1252},
        {"", TextFormat::Encoding::Windows1252},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFile::detectEncoding(c.bytes), c.expected) << c.bytes.toHex().toStdString();
}

// Whatever the bytes, decoding and encoding with the detected format gives them back.
TEST(TextFile, FilesRoundTripByteExact)
{
    const QByteArray cases[] = {
        allBytes(),
        allBytes() + allBytes(),
        "Zeile 1\r\nZeile 2\r\n",
        "unix\nlines\n",
        "old mac\rlines\r",
        "mixed\r\nends\nand\rstray\r\n",
        "\xEF\xBB\xBF\xC3\xA4\r\n\xE2\x82\xAC",
        "\xC3\xA4 utf8\nwith stray\r cr",
        QByteArray("nul\0inside\r\n\0", 14),
        "\r\n\r\n",
        "",
        "no line end",
        // Found by fuzzing: a byte-order mark in front of bytes that are not UTF-8, and
        // a second mark right behind the first.
        "\xEF\xBB\xBF" "Bt\r\n\n" "ericht\x84ndeumg\r\n",
        "\xEF\xBB\xBF\xEF\xBB\xBF",
        "\xEF\xBB\xBF\xEF\xBB\xBF" "Text\r\n",
    };
    for (const QByteArray& bytes : cases) {
        const quillet::LoadedText loaded = TextFile::decode(bytes);
        ASSERT_TRUE(loaded.ok);
        EXPECT_EQ(TextFile::encode(loaded.text, loaded.format), bytes) << bytes.toHex().toStdString();
    }
}

TEST(TextFile, LineEndsBecomeLineBreaksAndStrayOnesStayVisible)
{
    const quillet::LoadedText crlf = TextFile::decode("a\r\nb\rc\nd");
    EXPECT_EQ(crlf.format.lineEnd, TextFormat::LineEnd::CrLf);
    EXPECT_EQ(crlf.text, QStringLiteral("a\nb\u240Dc\u240Ad"));
    const quillet::LoadedText lf = TextFile::decode("a\nb");
    EXPECT_EQ(lf.format.lineEnd, TextFormat::LineEnd::Lf);
    EXPECT_EQ(lf.text, QStringLiteral("a\nb"));
    // A new line typed into a CR LF file is written as CR LF.
    EXPECT_EQ(TextFile::encode(QStringLiteral("x\ny"), crlf.format), QByteArray("x\r\ny"));
}

TEST(TextFile, Utf8FileIsSavedAsUtf8)
{
    const quillet::LoadedText loaded = TextFile::decode("\xC3\xA4\r\n");
    EXPECT_EQ(loaded.text, QStringLiteral("\u00E4\n"));
    EXPECT_EQ(TextFile::encode(loaded.text + QStringLiteral("\u20AC"), loaded.format), QByteArray("\xC3\xA4\r\n\xE2\x82\xAC"));
}

TEST(TextFile, SaveReplacesTheFileAndReportsFailures)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    EXPECT_TRUE(TextFile::save(path, QStringLiteral("eins\nzwei"), TextFormat()).isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("eins\r\nzwei"));
    file.close();

    // Neither the folder nor the file can be written: an error text, the old file untouched.
    const QString folder = dir.filePath(QStringLiteral("ordner"));
    QDir().mkpath(folder);
    const QString locked = folder + QStringLiteral("/b.txt");
    ASSERT_TRUE(TextFile::save(locked, QStringLiteral("alt"), TextFormat()).isEmpty());
    const ClosedFolder closed(dir.path(), folder, locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const FileRightsOfNobody nobody;
    if (!nobody.active() || FileRightsOfNobody::canCreateIn(folder))
        GTEST_SKIP() << "folder permissions cannot be met here";
    EXPECT_FALSE(TextFile::save(locked, QStringLiteral("neu"), TextFormat()).isEmpty());
    QFile old(locked);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("alt"));
}

// A file that may be written in a folder that may not: saved in place. Where the folder
// allows it the save stays atomic: a second name of the old file (a hard link) keeps the
// old text.
TEST(TextFile, SaveIsAtomicWhereTheFolderAllowsItAndInPlaceWhereNot)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("ordner"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/brief.txt");
    const auto read = [](const QString& name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    ASSERT_TRUE(TextFile::save(path, QStringLiteral("alt"), TextFormat()).isEmpty());
    const QString oldName = dir.filePath(QStringLiteral("alter-name.txt"));
    ASSERT_TRUE(secondName(path, oldName));
    ASSERT_TRUE(TextFile::save(path, QStringLiteral("neu"), TextFormat()).isEmpty());
    EXPECT_EQ(read(oldName), QByteArray("alt"));

    const QString currentName = dir.filePath(QStringLiteral("jetziger-name.txt"));
    ASSERT_TRUE(secondName(path, currentName));
    QString error;
    {
        const ClosedFolder closed(dir.path(), folder, path);
        const FileRightsOfNobody nobody;
        if (!nobody.active() || FileRightsOfNobody::canCreateIn(folder))
            GTEST_SKIP() << "folder permissions cannot be met here";
        error = TextFile::save(path, QStringLiteral("an Ort und Stelle"), TextFormat());
    }
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(read(currentName), QByteArray("an Ort und Stelle"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("brief.txt")});
}

// Decoding never gives more characters than bytes, and never fewer than a third of the
// bytes after a UTF-8 mark; so a file of n bytes holds at least fewestCharacters(n).
TEST(TextFile, FewestCharactersIsALowerBoundOfTheDecodedLength)
{
    const QByteArray cases[] = {
        "",
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC",  // mark and three 3-byte characters
        "\xEF\xBB\xBF\xE2\x82\xAC\r\n",
        "\xE2\x82\xAC\xE2\x82\xAC",
        "\r\n\r\n\r\n",
        "\xF0\x9F\x98\x80",  // four bytes, two UTF-16 units
        allBytes(),
    };
    for (const QByteArray& bytes : cases) {
        const qint64 decoded = TextFile::decode(bytes).text.size();
        EXPECT_LE(TextFile::fewestCharacters(bytes.size()), decoded) << bytes.toHex().toStdString();
        EXPECT_LE(decoded, bytes.size());
    }
    EXPECT_EQ(TextFile::fewestCharacters(12), 3);  // reached by the mark and three euro signs
    EXPECT_EQ(TextFile::fewestCharacters(3), 0);
    EXPECT_EQ(TextFile::fewestCharacters(qint64{3} * 268435455 + 3), 268435455);
    EXPECT_EQ(TextFile::fewestCharacters(qint64{3} * 268435455 + 4), 268435456);
}

TEST(TextFile, LoadFailuresCarryAMessage)
{
    QTemporaryDir dir;
    const quillet::LoadedText missing = TextFile::load(dir.filePath(QStringLiteral("fehlt.txt")));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    const quillet::LoadedText folder = TextFile::load(dir.path());
    EXPECT_FALSE(folder.ok);
    EXPECT_TRUE(folder.error.contains(QStringLiteral("Verzeichnis")));
}
