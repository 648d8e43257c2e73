#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// An X server of its own for a test (Xvfb on a free display number, no network).
class TestXServer
{
public:
    TestXServer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            return;
        m_process.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                                 QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                                 QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        // It writes its display number once it accepts connections.
        if (m_process.waitForReadyRead(20000))
            m_display = QStringLiteral(":") + QString::fromLatin1(m_process.readAllStandardOutput().trimmed());
    }
    ~TestXServer()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    TestXServer(const TestXServer&) = delete;
    TestXServer& operator=(const TestXServer&) = delete;

    // The DISPLAY value, empty when the server is not there.
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};
