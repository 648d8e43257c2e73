// tarvex-devicesim: a device on a pseudo-terminal for the demo and the end-to-end tests.
//
//   tarvex-devicesim [--link PATH] [--interval MS] [--burst N] [--end crlf|cr|lf|etx]
//                    [--count N] [--seed N] [--record FILE] [--ring MS] [--ansi]
//
// Prints "port: <device>" once the port exists; PATH (when given) becomes a symbolic link to
// it. Sends N records every interval (0: only on request) and answers commands. With --ring
// a call comes in: "RING" every MS milliseconds while the modem is not online. With --ansi
// the device is a console: every interval it draws its colourful ANSI screen instead of
// sending records (the command ANSI draws it at any time).

#include "devicesim/device_simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serial device simulator for Terminal Tarvex"));
    parser.addHelpOption();
    const QCommandLineOption link(QStringLiteral("link"), QStringLiteral("symbolic link to the port"), QStringLiteral("path"));
    const QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("ms between records (0: none)"),
                                      QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption end(QStringLiteral("end"), QStringLiteral("line end: crlf, cr, lf or etx (STX/ETX with ENQ)"),
                                 QStringLiteral("kind"), QStringLiteral("crlf"));
    const QCommandLineOption burst(QStringLiteral("burst"), QStringLiteral("records per interval"), QStringLiteral("n"),
                                   QStringLiteral("1"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("stop sending after N records"),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("random seed"), QStringLiteral("n"),
                                  QStringLiteral("1"));
    const QCommandLineOption record(QStringLiteral("record"), QStringLiteral("append every received byte to this file"),
                                    QStringLiteral("file"));
    const QCommandLineOption ringing(QStringLiteral("ring"), QStringLiteral("ms between rings of an incoming call (0: none)"),
                                     QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption ansi(QStringLiteral("ansi"), QStringLiteral("draw the ANSI console screen every interval"));
    parser.addOptions({link, interval, end, burst, count, seed, record, ringing, ansi});
    parser.process(app);

    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    // Raw line: bytes pass unchanged in both directions.
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    // Our own handle on the slave keeps the master readable while the terminal reconnects.
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    std::signal(SIGPIPE, SIG_IGN);
    // SIGTERM and SIGINT end the event loop, so the link is removed on the way out.
    if (::pipe(g_signalPipe) != 0)
        return 1;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    QSocketNotifier stopper(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopper, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });

    const QString linkPath = parser.value(link);
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(QString::fromLocal8Bit(name), linkPath)) {
            std::fprintf(stderr, "cannot create link %s\n", qPrintable(linkPath));
            return 1;
        }
    }
    std::printf("port: %s\n", name);
    std::fflush(stdout);

    DeviceSimulator::LineEnd lineEnd = DeviceSimulator::LineEnd::CrLf;
    if (!DeviceSimulator::parseLineEnd(parser.value(end), &lineEnd)) {
        std::fprintf(stderr, "unknown line end %s (crlf, cr, lf, etx)\n", qPrintable(parser.value(end)));
        return 2;
    }
    DeviceSimulator device(lineEnd, parser.value(seed).toUInt());
    const int perTick = qMax(1, parser.value(burst).toInt());
    const int maxRecords = parser.value(count).toInt();

    QFile received(parser.value(record));
    if (parser.isSet(record) && !received.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(parser.value(record)));
        return 1;
    }
    QSocketNotifier reader(master, QSocketNotifier::Read);
    QObject::connect(&reader, &QSocketNotifier::activated, &app, [&] {
        char buf[4096];
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n > 0) {
            if (received.isOpen()) {
                received.write(buf, n);
                received.flush();
            }
            const QByteArray answer = device.receive(QByteArray(buf, int(n)), QDateTime::currentDateTime());
            if (!answer.isEmpty())
                writeAll(master, answer);
        }
    });

    QTimer records;
    const bool console = parser.isSet(ansi);
    QObject::connect(&records, &QTimer::timeout, &app, [&] {
        if (console) {
            writeAll(master, DeviceSimulator::ansiScreen(QDateTime::currentDateTime()));
            return;
        }
        QByteArray out;
        for (int i = 0; i < perTick; ++i) {
            if (maxRecords > 0 && device.recordsSent() >= maxRecords) {
                records.stop();
                break;
            }
            out += device.nextRecord(QDateTime::currentDateTime());
        }
        if (!out.isEmpty())
            writeAll(master, out);
    });
    const int ms = parser.value(interval).toInt();
    if (ms > 0)
        records.start(ms);

    QTimer ringer;
    QObject::connect(&ringer, &QTimer::timeout, &app, [&] {
        const QByteArray out = device.ring();
        if (!out.isEmpty())
            writeAll(master, out);
    });
    if (parser.value(ringing).toInt() > 0)
        ringer.start(parser.value(ringing).toInt());

    const int rc = app.exec();
    std::printf("records: %d, acks: %d\n", device.recordsSent(), device.acksReceived());
    std::fflush(stdout);
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    ::close(slave);
    ::close(master);
    return rc;
}
