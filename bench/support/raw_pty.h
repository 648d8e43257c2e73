#pragma once

#include <QString>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal for the benchmarks: the slave side raw, as a serial device is, and its
// name for the program that opens it; the master side non-blocking for the harness.
struct RawPty
{
    int master = -1;
    int slave = -1;
    QString name; // empty when no pseudo-terminal could be opened

    RawPty()
    {
        char buf[256] = {};
        if (openpty(&master, &slave, buf, nullptr, nullptr) != 0)
            return;
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        name = QString::fromLocal8Bit(buf);
    }
    ~RawPty()
    {
        ::close(slave);
        ::close(master);
    }
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;
};
