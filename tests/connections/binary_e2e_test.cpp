// Two real terminal programs on the two ends of a socat pseudo-terminal pair: one receives,
// one sends a set of files (empty, one byte, 10 MB of random bytes, every marker sequence),
// and the received files are the sent ones, byte for byte.
#include "tests/terminal/terminal_fixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

#ifdef Q_OS_UNIX

class Program
{
public:
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(10000))
                process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

// A customer folder whose COM 1 is one end of the pair, at 115200 baud.
void writeCustomer(const QString& kunde, const QString& link)
{
    writeFile(kunde + "/kunde.ini", "[Seriell]\r\nCOM=1\r\nBaudrate=115200\r\nParameter=n,8,1\r\n[Schnittstellen]\r\nCOM1="
                                        + link.toUtf8() + "\r\n");
    writeFile(kunde + "/Konfiguration/Menustruktur00.dat", "Kopf\r\n");
    writeFile(kunde + "/Konfiguration/Scripts.ini", "[Script]\r\n");
}

TEST(BinaryTransferEndToEnd, TwoTerminalsPassFilesByteForByte)
{
    if (QStandardPaths::findExecutable("socat").isEmpty())
        GTEST_SKIP() << "socat is not installed (scripts/install-deps installs it)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // The files, with every marker inside one of them.
    QDir().mkpath(dir.filePath("quelle"));
    QDir().mkpath(dir.filePath("ziel"));
    QByteArray random(10 * 1024 * 1024, '\0');
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QByteArray markers;
    for (const char* m : {"\xFF\x01\xFF", "\xFE\x01\xFE", "\xFE\x02\xFE", "\xFC\x01\xFC", "\xFC\x02\xFC",
                          "\xFD\x01\xFD", "\xFB\x01\xFB\x01", "\xFA\x01\xFA\x01"})
        markers += QByteArray("Daten ") + m + "\xFB\x01" + m + "\r\n";
    const QList<std::pair<QString, QByteArray>> files{
        {"leer.bin", {}}, {"ein Byte.bin", "\xFB"}, {"zufall.bin", random}, {"marken.bin", markers}};
    QStringList arguments;
    for (const auto& [name, bytes] : files) {
        writeFile(dir.filePath("quelle/" + name), bytes);
        arguments << "--binaer-quelle" << dir.filePath("quelle/" + name);
    }

    Program socat;
    socat.process.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + dir.filePath("a"),
                                  "pty,raw,echo=0,link=" + dir.filePath("b")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.filePath("a")) && QFile::exists(dir.filePath("b")); },
                                10000))
        << "socat did not link its pseudo-terminals";

    // Opening the target folder at the end must not start a file manager here.
    writeFile(dir.filePath("bin/xdg-open"), "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(dir.filePath("bin/xdg-open"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    auto start = [&](Program& program, const QString& side, const QStringList& more) {
        writeCustomer(dir.filePath(side), dir.filePath(side == "empfang" ? "a" : "b"));
        writeFile(dir.filePath(side + "-answers.txt"), "Yes\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PATH", dir.filePath("bin") + ":" + env.value("PATH"));
        env.insert("TARVEX_ANSWERS", dir.filePath(side + "-answers.txt"));
        env.insert("TARVEX_ANSWER_LOG", dir.filePath(side + "-log.txt"));
        program.process.setProcessEnvironment(env);
        program.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.process.start(QStringLiteral(TARVEX_BIN_DIR) + "/tarvex",
                              QStringList{"--kunde", dir.filePath(side)} + more);
        ASSERT_TRUE(program.process.waitForStarted(10000));
    };
    Program receiver;
    start(receiver, "empfang", {"--function", "216", "--binaer-ziel", dir.filePath("ziel")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return readFile(dir.filePath("empfang-log.txt")).contains("Empfangsbereitschaft"); },
                                30000))
        << "the receiver did not get ready";
    Program sender;
    start(sender, "senden", QStringList{"--function", "215"} + arguments);

    // A file has its final name only once it is complete.
    auto allThere = [&] {
        for (const auto& [name, bytes] : files)
            if (!QFile::exists(dir.filePath("ziel/" + name)))
                return false;
        return true;
    };
    EXPECT_TRUE(QTest::qWaitFor(allThere, 240000)) << QDir(dir.filePath("ziel")).entryList().join(", ").toStdString();
    for (const auto& [name, bytes] : files)
        EXPECT_TRUE(readFile(dir.filePath("ziel/" + name)) == bytes) << name.toStdString();
    EXPECT_EQ(QDir(dir.filePath("ziel")).entryList(QDir::Files | QDir::Hidden).size(), files.size());

    const QString sent = QString::fromUtf8(readFile(dir.filePath("senden-log.txt")));
    EXPECT_TRUE(sent.contains("Binärdateien\\t: 4\\rGesamtgrösse\\t: 10485.893 KBytes")) << sent.toStdString();
    EXPECT_EQ(sent.count('\n'), 1) << sent.toStdString();
    EXPECT_EQ(QString::fromUtf8(readFile(dir.filePath("empfang-log.txt"))).count('\n'), 1);
}

#endif

} // namespace
