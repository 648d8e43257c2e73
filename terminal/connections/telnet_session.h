#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class Prompter;
class QTcpServer;
class QTcpSocket;

namespace tarvex {

class ErrorReport;

// The telnet session (TelnetSession): a minimal TCP server on IPv4. It listens on all local
// addresses or on a typed dotted address, takes one client at a time (a later client
// replaces the earlier one) and passes bytes as they are: what the client sends comes out
// of received() in reads of at most 1024 bytes, send() writes to the client. No telnet
// option negotiation. Independent of the serial line.
class TelnetSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kReadSize = 1024;
    static constexpr quint16 kDefaultPort = 23;
    // What the client socket holds before it is read; more stays in the system's buffer,
    // so a client that floods is slowed down by TCP instead of filling memory.
    static constexpr qint64 kReadBuffer = 16 * kReadSize;

    TelnetSession(Prompter& prompter, ErrorReport& errors, QObject* parent = nullptr);
    ~TelnetSession() override;

    // The port of kunde.ini's TelnetPort: 23 when it is 0 or no valid port.
    static quint16 portFrom(int configured);
    // The address to listen on for what the user typed: all local IPv4 addresses unless the
    // text holds a "."; then it must be a dotted IPv4 address, otherwise `problem` says why
    // and nothing is returned.
    static std::optional<QHostAddress> listenAddress(const QString& typed, QString* problem);

    // Connect button while inactive: asks for the address, then listens on `port`.
    // Returns true when the session is listening.
    bool Connect(quint16 port);
    // Listens on the address of `typed` (see listenAddress); reports a failure to the user.
    bool open(const QString& typed, quint16 port);
    // Connect button while active: asks, and on Yes closes the client and the listener.
    // Returns true when the session was ended.
    bool Disconnect();
    // Closes the client and the listener without asking.
    void close();

    bool active() const { return m_server != nullptr; }
    bool clientConnected() const;
    // The listening socket's number, -1 while inactive.
    qintptr socketNumber() const;
    quint16 listeningPort() const;
    QString clientAddress() const;
    // Bytes the client socket holds that were not yet handed out.
    qint64 bufferedBytes() const;

    // Writes the bytes to the client; nothing happens without one (send errors are ignored).
    void send(const QByteArray& bytes);

signals:
    // Before the listener opens: the display starts empty.
    void cleared();
    // The listener is open; the window shows "Socket opened = n".
    void opened(qintptr socketNumber);
    // Bytes from the client, at most kReadSize at a time, exactly as they came.
    void received(const QByteArray& bytes);
    // A client connected, was replaced or went away, or the session ended.
    void stateChanged();

private:
    void acceptClient();
    void readClient();
    void dropClient();
    void bindFailed(const QString& reason, int code);

    Prompter& m_prompter;
    ErrorReport& m_errors;
    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_client;
};

} // namespace tarvex
