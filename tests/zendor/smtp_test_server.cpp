#include "tests/zendor/smtp_test_server.h"

#include <QMetaObject>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>

SmtpTestServer::SmtpTestServer(Mode mode)
    : m_mode(mode)
{
    m_thread.start();
    QSemaphore ready;
    m_anchor = new QObject;
    m_anchor->moveToThread(&m_thread);
    QMetaObject::invokeMethod(m_anchor, [this, &ready] {
        m_server = new QTcpServer;
        m_server->listen(QHostAddress::LocalHost, 0);
        m_port = m_server->serverPort();
        QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
            while (QTcpSocket* s = m_server->nextPendingConnection()) {
                if (m_mode == Mode::Silent)
                    continue; // accepts, never answers
                auto buffer = std::make_shared<QByteArray>();
                auto inData = std::make_shared<bool>(false);
                auto mail = std::make_shared<Mail>();
                s->write("220 localhost ESMTP test\r\n");
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, buffer, inData, mail] {
                    *buffer += s->readAll();
                    for (;;) {
                        const qsizetype eol = buffer->indexOf("\r\n");
                        if (eol < 0)
                            return;
                        const QByteArray line = buffer->left(eol);
                        buffer->remove(0, eol + 2);
                        if (*inData) {
                            if (line == ".") {
                                *inData = false;
                                QMutexLocker lock(&m_mutex);
                                m_mails.append(*mail);
                                *mail = Mail{};
                                s->write("250 OK queued\r\n");
                            } else {
                                mail->data += (line.startsWith("..") ? line.mid(1) : line) + "\r\n";
                            }
                            continue;
                        }
                        const QByteArray upper = line.toUpper();
                        if (upper.startsWith("EHLO") || upper.startsWith("HELO")) {
                            s->write("250 localhost\r\n");
                        } else if (upper.startsWith("MAIL FROM:")) {
                            mail->from = line.mid(10).trimmed();
                            s->write("250 OK\r\n");
                        } else if (upper.startsWith("RCPT TO:")) {
                            const QByteArray to = line.mid(8).trimmed();
                            if (m_mode == Mode::RejectRecipient && to.contains("unbekannt")) {
                                s->write("550 No such user\r\n");
                            } else {
                                mail->recipients.append(to);
                                s->write("250 OK\r\n");
                            }
                        } else if (upper == "DATA") {
                            *inData = true;
                            s->write("354 End data with <CR><LF>.<CR><LF>\r\n");
                        } else if (upper == "QUIT") {
                            s->write("221 Bye\r\n");
                            s->disconnectFromHost();
                        } else if (upper == "RSET" || upper == "NOOP") {
                            s->write("250 OK\r\n");
                        } else {
                            s->write("502 Not implemented\r\n");
                        }
                    }
                });
            }
        });
        ready.release();
    });
    ready.acquire();
}

SmtpTestServer::~SmtpTestServer()
{
    QMetaObject::invokeMethod(m_anchor, [this] {
        delete m_server;
        delete m_anchor;
    }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QList<SmtpTestServer::Mail> SmtpTestServer::mails() const
{
    QMutexLocker lock(&m_mutex);
    return m_mails;
}
