// Throughput of the binary file transfer between two terminal programs. Each program sits on
// the slave side of its own pseudo-terminal; this bench relays between the two master
// sides, and prints for one file of random bytes:
//   - at 115200 baud: the relay forwards at most 11520 bytes a second (10 bits a character),
//     as the line would; a pseudo-terminal does not pace by itself;
//   - at the pseudo-terminal's full speed: the relay forwards at once.
// The time runs from the first to the last data byte of the file passing the relay (the
// 1000 ms pauses around headers and file ends are left out); the received file is compared
// with the sent one. Shown: bytes per second and the share of the 115200 baud line rate.
//
//   tarvex_binary_bench [kilobytes at 115200] [kilobytes at full speed]   (default 200 10240)

#include "bench/support/raw_pty.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr double kLineRate = 11520.0; // bytes a second at 115200 baud

// Moves bytes from one master to the other, at most `rate` bytes a second (0: at once).
class Relay
{
public:
    Relay(int from, int to, double rate) : m_from(from), m_to(to), m_rate(rate)
    {
        m_reader = new QSocketNotifier(from, QSocketNotifier::Read);
        QObject::connect(m_reader, &QSocketNotifier::activated, [this] { read(); });
        m_pace.setInterval(2);
        QObject::connect(&m_pace, &QTimer::timeout, [this] { forward(); });
        m_pace.start();
        m_clock.start();
    }
    ~Relay() { delete m_reader; }

    // Where the marker is in what passed the relay, -1 while it has not passed.
    qsizetype find(const QByteArray& marker, qsizetype from = 0) const { return m_passed.indexOf(marker, from); }
    // When the byte at this offset of the stream passed (ms on the relay's clock).
    qint64 passedAt(qsizetype offset) const
    {
        auto it = std::upper_bound(m_chunks.begin(), m_chunks.end(), offset,
                                   [](qsizetype o, const std::pair<qsizetype, qint64>& c) { return o < c.first; });
        return it == m_chunks.begin() ? -1 : std::prev(it)->second;
    }
    void watch(bool on) { m_watch = on; }

private:
    void read()
    {
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(m_from, buf, sizeof buf);
            if (n <= 0)
                break;
            m_queue.append(buf, n);
        }
        forward();
    }
    void forward()
    {
        if (m_queue.isEmpty())
            return;
        qsizetype allowed = m_queue.size();
        if (m_rate > 0) {
            // A line that was idle does not send faster afterwards: the credit is capped at
            // 10 ms of line time.
            const qint64 ns = m_clock.nsecsElapsed();
            m_credit = qMin(m_credit + (ns - m_lastNs) / 1e9 * m_rate, m_rate / 100);
            m_lastNs = ns;
            allowed = qMin<qsizetype>(allowed, qsizetype(m_credit));
        }
        if (allowed == 0)
            return;
        const ssize_t n = ::write(m_to, m_queue.constData(), size_t(allowed));
        if (n <= 0)
            return;
        if (m_watch) {
            // The stream and when each piece of it passed.
            m_chunks.push_back({m_passed.size(), m_clock.elapsed()});
            m_passed += m_queue.left(n);
        }
        m_credit -= double(n);
        m_queue.remove(0, n);
    }

    int m_from;
    int m_to;
    double m_rate;
    QSocketNotifier* m_reader = nullptr;
    QTimer m_pace;
    QElapsedTimer m_clock;
    QByteArray m_queue;
    double m_credit = 0;
    qint64 m_lastNs = 0;
    bool m_watch = true;
    QByteArray m_passed;
    std::vector<std::pair<qsizetype, qint64>> m_chunks;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void stop(QProcess& p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(5000))
        p.kill();
}

// One transfer of `size` random bytes; returns bytes a second, or a negative value on failure.
double run(qint64 size, double rate)
{
    QTemporaryDir dir;
    RawPty senderPty;
    RawPty receiverPty;
    if (senderPty.name.isEmpty() || receiverPty.name.isEmpty())
        return -1;
    // The forward direction is paced; the receiver's answers go back at once.
    Relay forward(senderPty.master, receiverPty.master, rate);
    Relay back(receiverPty.master, senderPty.master, 0);
    back.watch(false);

    QByteArray data(size, '\0');
    QRandomGenerator(1).fillRange(reinterpret_cast<quint32*>(data.data()), size / 4);
    const QString source = dir.filePath("quelle/daten.bin");
    writeFile(source, data);
    QDir().mkpath(dir.filePath("ziel"));

    const QString bin = QCoreApplication::applicationDirPath() + "/tarvex";
    auto start = [&](QProcess& p, const QString& side, const QString& device, const QStringList& more) {
        writeFile(dir.filePath(side + "/kunde.ini"), "[Seriell]\r\nCOM=1\r\nBaudrate=115200\r\nParameter=n,8,1\r\n"
                                                     "[Schnittstellen]\r\nCOM1=" + device.toUtf8() + "\r\n");
        writeFile(dir.filePath(side + "/Konfiguration/Menustruktur00.dat"), "Kopf\r\n");
        writeFile(dir.filePath(side + "/Konfiguration/Scripts.ini"), "[Script]\r\n");
        writeFile(dir.filePath(side + ".txt"), "Yes\n");
        writeFile(dir.filePath("bin/xdg-open"), "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(dir.filePath("bin/xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PATH", dir.filePath("bin") + ":" + env.value("PATH"));
        env.insert("TARVEX_ANSWERS", dir.filePath(side + ".txt"));
        env.insert("TARVEX_ANSWER_LOG", dir.filePath(side + "-log.txt"));
        p.setProcessEnvironment(env);
        p.start(bin, QStringList{"--kunde", dir.filePath(side)} + more);
    };
    QProcess receiver;
    QProcess sender;
    start(receiver, "empfang", receiverPty.name, {"--function", "216", "--binaer-ziel", dir.filePath("ziel")});
    if (!waitFor([&] { return QFile::exists(dir.filePath("empfang-log.txt")); }, 30000)) {
        stop(receiver);
        return -2;
    }
    start(sender, "senden", senderPty.name, {"--function", "215", "--binaer-quelle", source});
    const QString target = dir.filePath("ziel/daten.bin");
    const QByteArray headerEnd("\xFD\x01\xFD", 3);
    const QByteArray fileEnd("\xFB\x01\xFB\x01", 4);
    const int limitMs = int(size / (rate > 0 ? rate : 1e6) * 1000) * 2 + 60000;
    double result = -3;
    if (waitFor([&] { return QFile::exists(target); }, limitMs)) {
        // From the first to the last data byte on the line: the pauses around them are the
        // protocol's, not the line's.
        const qsizetype first = forward.find(headerEnd) + headerEnd.size();
        const qsizetype last = forward.find(fileEnd, first) - 1;
        const qint64 ms = forward.passedAt(last) - forward.passedAt(first);
        QFile f(target);
        result = (f.open(QIODevice::ReadOnly) && f.readAll() == data) ? size * 1000.0 / qMax<qint64>(ms, 1) : -4;
    }
    stop(sender);
    stop(receiver);
    return result;
}

void report(const char* what, qint64 size, double bytesPerSecond)
{
    if (bytesPerSecond < 0) {
        std::printf("%-22s %9lld bytes: failed (%g)\n", what, static_cast<long long>(size), bytesPerSecond);
        return;
    }
    std::printf("%-22s %9lld bytes: %12.0f bytes/s = %7.1f %% of the 115200 baud line rate\n", what,
                static_cast<long long>(size), bytesPerSecond, 100.0 * bytesPerSecond / kLineRate);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 paced = (args.size() > 1 ? args.at(1).toLongLong() : 200) * 1024;
    const qint64 full = (args.size() > 2 ? args.at(2).toLongLong() : 10240) * 1024;
    report("115200 baud (paced)", paced, run(paced, kLineRate));
    report("pty at full speed", full, run(full, 0));
    return 0;
}
