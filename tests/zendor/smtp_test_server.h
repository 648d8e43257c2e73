#pragma once

#include <QByteArray>
#include <QMutex>
#include <QStringList>
#include <QThread>

class QTcpServer;

// A small SMTP server on 127.0.0.1 in its own thread, so that a sender blocking the
// test's thread still gets its answers. It records every mail it accepts.
class SmtpTestServer
{
public:
    enum class Mode { Accept, RejectRecipient, Silent };

    struct Mail
    {
        QByteArray from;
        QList<QByteArray> recipients;
        QByteArray data; // dot-unstuffed, without the final "."
    };

    explicit SmtpTestServer(Mode mode = Mode::Accept);
    ~SmtpTestServer();

    quint16 port() const { return m_port; }
    QList<Mail> mails() const;

private:
    Mode m_mode;
    QThread m_thread;
    QObject* m_anchor = nullptr;
    QTcpServer* m_server = nullptr;
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QList<Mail> m_mails;
};
