#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The device simulator program on a pseudo-terminal linked inside a test's folder, writing
// every byte it receives to a file; ended when the test is done. The test program defines
// TARVEX_BIN_DIR, the folder of tarvex-devicesim.
class SimulatorProcess
{
public:
    // Starts it with these options besides the link and the record file; false when it did
    // not come up.
    bool start(const QTemporaryDir& dir, const QStringList& options)
    {
        link = dir.filePath("port");
        received = dir.filePath("received.bin");
        process.start(QStringLiteral(TARVEX_BIN_DIR) + "/tarvex-devicesim",
                      QStringList{"--link", link, "--record", received} + options);
        return process.waitForReadyRead(10000);
    }
    ~SimulatorProcess()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    // kunde.ini of a customer whose COM 1 is the simulator at 9600,n,8,1, with more lines.
    QByteArray kundeIni(const QByteArray& more) const
    {
        return "[Seriell]\r\nCOM=1\r\nBaudrate=9600\r\nParameter=n,8,1\r\n" + more + "[Schnittstellen]\r\nCOM1="
               + link.toUtf8() + "\r\n";
    }

    QProcess process;
    QString link;
    QString received;
};
