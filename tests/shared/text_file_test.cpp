#include "shared/cp1252.h"
#include "shared/line_appender.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"
#include "tests/support/file_rights.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>


#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

TEST(Cp1252, AllByteValuesRoundTrip)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    const QString text = Cp1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    bool lossy = true;
    EXPECT_EQ(Cp1252::encode(text, &lossy), all);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0xE4), QChar(u'ä'));
    EXPECT_EQ(text.at(0x81), QChar(0x81));
    EXPECT_EQ(text.at(0x9F), QChar(0x0178));
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    bool ok = true;
    EXPECT_EQ(Cp1252::fromUnicode(QChar(0x4E2D), &ok), '?');
    EXPECT_FALSE(ok);
    EXPECT_EQ(Cp1252::encode(u"€ä"), QByteArray("\x80\xe4"));
    bool lossy = false;
    EXPECT_EQ(Cp1252::encode(QStringLiteral("a\u2192b"), &lossy), QByteArray("a?b"));
    EXPECT_TRUE(lossy);

    // Every character of the 16-bit range: the byte it came from, or "?" and not ok.
    QHash<char16_t, unsigned char> bytes;
    for (int b = 0; b < 256; ++b)
        bytes.insert(Cp1252::toUnicode(static_cast<unsigned char>(b)).unicode(), static_cast<unsigned char>(b));
    for (int u = 0; u <= 0xFFFF; ++u) {
        bool known = false;
        const unsigned char got = Cp1252::fromUnicode(QChar(char16_t(u)), &known);
        ASSERT_EQ(known, bytes.contains(char16_t(u))) << u;
        ASSERT_EQ(got, bytes.value(char16_t(u), '?')) << u;
    }
}

TEST(TextFile, SplitsAtEveryKindOfLineEnd)
{
    EXPECT_EQ(TextFile::splitLines("a\r\nb\r\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(TextFile::splitLines("a\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(TextFile::splitLines("a\rb\r"), (QStringList{"a", "b"}));
    EXPECT_EQ(TextFile::splitLines("a\r\n\r\nb"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(TextFile::splitLines("a\n\rb"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(TextFile::splitLines(""), QStringList{});
}

TEST(TextFile, WritesCrLfAndReadsAllBytesBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    QString high;
    for (int i = 0x20; i < 256; ++i)
        high += Cp1252::toUnicode(uchar(i));
    TextFile::writeLinesAtomic(path, {"eins", high, ""});
    const QByteArray bytes = readAll(path);
    EXPECT_TRUE(bytes.startsWith("eins\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n\r\n"));
    EXPECT_EQ(TextFile::readLines(path), (QStringList{"eins", high, ""}));
}

TEST(TextFile, MissingAndUnwritableFilesThrowWithCodes)
{
    QTemporaryDir dir;
    try {
        TextFile::readLines(dir.filePath("fehlt.txt"));
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.code(), ErrorCode::FileNotFound);
    }
    try {
        TextFile::writeLinesAtomic(dir.filePath("kein/ordner/x.txt"), {"x"});
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_NE(e.code(), 0);
    }
}

TEST(TextFile, FailedAtomicWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString sub = dir.filePath("ro");
    QDir().mkpath(sub);
    const QString path = sub + "/daten.dat";
    TextFile::writeLinesAtomic(path, {"alt"});
    // Neither a temporary file beside it nor the file itself may be written.
    const ClosedFolder closed(dir.path(), sub, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const FileRightsOfNobody nobody;
    if (!nobody.active() || FileRightsOfNobody::canCreateIn(sub))
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_THROW(TextFile::writeLinesAtomic(path, {"neu"}), RuntimeError);
    EXPECT_EQ(readAll(path), QByteArray("alt\r\n"));
}

#ifdef Q_OS_UNIX
// A second name of the file (a hard link) tells a replaced file from one written in place.
TEST(TextFile, WholeFileWriteIsAtomicWhereTheFolderAllowsItAndInPlaceWhereNot)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("ordner");
    QDir().mkpath(folder);
    const QString path = folder + "/daten.dat";
    const QString oldName = dir.filePath("alter-name.dat");
    TextFile::writeLinesAtomic(path, {"alt"});
    ASSERT_TRUE(secondName(path, oldName));
    TextFile::writeLinesAtomic(path, {"neu"});
    EXPECT_EQ(readAll(path), QByteArray("neu\r\n"));
    EXPECT_EQ(readAll(oldName), QByteArray("alt\r\n")) << "a new file took the old one's place";

    const QString currentName = dir.filePath("jetziger-name.dat");
    ASSERT_TRUE(secondName(path, currentName));
    {
        const ClosedFolder closed(dir.path(), folder, path);
        const FileRightsOfNobody nobody;
        if (!nobody.active() || FileRightsOfNobody::canCreateIn(folder))
            GTEST_SKIP() << "folder permissions cannot be met here";
        EXPECT_NO_THROW(TextFile::writeLinesAtomic(path, {"in place"}));
    }
    EXPECT_EQ(readAll(path), QByteArray("in place\r\n"));
    EXPECT_EQ(readAll(currentName), QByteArray("in place\r\n")) << "the file itself was written";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"daten.dat"});
}

TEST(TextFile, WriteThatRunsOutOfSpaceKeepsTheOldFileAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kunde.ini");
    TextFile::writeLinesAtomic(path, {"[Alt]", "x=1"});
    // A file size limit makes the write fail half way, as a full disk would.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    QStringList big(2000, QStringLiteral("0123456789"));
    EXPECT_THROW(TextFile::writeLinesAtomic(path, big), RuntimeError);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(readAll(path), QByteArray("[Alt]\r\nx=1\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kunde.ini"});
}
#endif

TEST(LineAppender, AppendsAndFlushesEachLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("monitor.txt");
    LineAppender a;
    a.open(path);
    a.appendLine(QString::fromUtf8("Zeile ä"));
    EXPECT_EQ(readAll(path), QByteArray("Zeile \xe4\r\n")) << "visible before close";
    a.appendLine("2");
    a.close();
    LineAppender::appendLineTo(path, "3");
    EXPECT_EQ(readAll(path), QByteArray("Zeile \xe4\r\n2\r\n3\r\n"));
}

} // namespace

TEST(LineAppenderOnce, AppendsCreatesAndNamesEachFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cap.txt");
    LineAppender::appendBytesTo(path, "eins\r\n");
    LineAppender::appendBytesTo(path, "zwei\r\n");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("eins\r\nzwei\r\n"));

    const auto codeOf = [](const QString& target) {
        try {
            LineAppender::appendBytesTo(target, "x\r\n");
        } catch (const RuntimeError& e) {
            return e.code();
        }
        return 0;
    };
    EXPECT_EQ(codeOf(dir.filePath("fehlt/cap.txt")), ErrorCode::PathNotFound);
    EXPECT_EQ(codeOf(dir.path()), ErrorCode::PermissionDenied) << "a folder in the file's place";
#ifdef Q_OS_LINUX
    EXPECT_EQ(codeOf(QStringLiteral("/dev/full")), ErrorCode::DiskFull);
#endif
}
