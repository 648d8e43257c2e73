// The session screen's interpreter: megabytes per second for a full-screen program (top
// redrawn in an xterm, recorded), for coloured lines that scroll the whole screen, and for
// lines that scroll a region, against the 230400-baud line rate (about 23 KB/s). Every
// input is fed in 4 KiB blocks as the poll timer reads them.
//
//   tarvex_session_bench [megabytes]

#include "terminal/display/ansi_screen.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstdlib>

using namespace tarvex;

namespace {

QByteArray repeated(const QByteArray& piece, qsizetype size)
{
    QByteArray out;
    out.reserve(size + piece.size());
    while (out.size() < size)
        out += piece;
    return out;
}

void measure(const char* name, const QByteArray& bytes)
{
    AnsiScreen screen(80, 25);
    QElapsedTimer timer;
    timer.start();
    for (qsizetype at = 0; at < bytes.size(); at += 4096)
        screen.feed(QByteArrayView(bytes).sliced(at, qMin<qsizetype>(4096, bytes.size() - at)));
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double mb = double(bytes.size()) / (1024.0 * 1024.0);
    std::printf("%-28s %8.1f MB/s  (%6.0f times the line rate)\n", name, mb / seconds,
                double(bytes.size()) / seconds / 23040.0);
}

} // namespace

int main(int argc, char* argv[])
{
    const qsizetype size = qsizetype(argc > 1 ? std::atoi(argv[1]) : 20) * 1024 * 1024;
    QFile top(QStringLiteral(TARVEX_SOURCE_DIR "/tests/data/session/top_xterm.bin"));
    if (!top.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "recording missing: %s\n", qPrintable(top.fileName()));
        return 1;
    }
    measure("top redrawn", repeated(top.readAll(), size));
    QByteArray line;
    for (int i = 0; i < 8; ++i)
        line += "\x1b[1;3" + QByteArray::number(i) + "mZeile " + QByteArray::number(i) + "\x1b[0m Text der Zeile\r\n";
    measure("coloured lines, full screen", repeated(line, size));
    measure("lines in a region", repeated("\x1b[5;20r\x1b[20;1H" + line, size));
    return 0;
}
