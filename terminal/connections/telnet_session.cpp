#include "terminal/connections/telnet_session.h"

#include "shared/platform/prompter.h"
#include "terminal/core/error_report.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

namespace tarvex {

namespace {

const QString kBindText = QStringLiteral("Socket konnte nicht gebunden werden. Telnet Session nicht möglich.");
const QString kSocketText = QStringLiteral("Kein Socket geladen. Telnet Session nicht möglich.");

} // namespace

TelnetSession::TelnetSession(Prompter& prompter, ErrorReport& errors, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_errors(errors)
{
}

TelnetSession::~TelnetSession()
{
    close();
}

quint16 TelnetSession::portFrom(int configured)
{
    if (configured <= 0 || configured > 65535)
        return kDefaultPort;
    return quint16(configured);
}

std::optional<QHostAddress> TelnetSession::listenAddress(const QString& typed, QString* problem)
{
    const QString text = typed.trimmed();
    if (!text.contains(QLatin1Char('.')))
        return QHostAddress(QHostAddress::AnyIPv4);
    // Only four decimal numbers 0…255: QHostAddress would also take short and octal forms.
    const QStringList parts = text.split(QLatin1Char('.'));
    bool fits = parts.size() == 4;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (part.isEmpty() || part.size() > 3 || !ok || value < 0 || value > 255
            || !std::all_of(part.begin(), part.end(), [](QChar c) { return c.isDigit(); }))
            fits = false;
    }
    if (!fits) {
        if (problem)
            *problem = QStringLiteral("Die Adresse \"%1\" ist keine IPv4-Adresse in Punktschreibweise "
                                      "(vier Zahlen von 0 bis 255, z. B. 192.168.0.10).")
                           .arg(text);
        return std::nullopt;
    }
    return QHostAddress(text);
}

bool TelnetSession::Connect(quint16 port)
{
    bool listening = false;
    guarded(m_errors, "frm23_cmdConnect_Click", 0, QString(), [&] {
        const std::optional<QString> typed = m_prompter.input(InputRequest{
            QStringLiteral("Telnet Session - Connect"), QStringLiteral("Geben Sie die Zieladresse an:"),
            QStringLiteral("localhost")});
        if (!typed || typed->isEmpty())
            return;
        listening = open(*typed, port);
    });
    return listening;
}

bool TelnetSession::open(const QString& typed, quint16 port)
{
    emit cleared();
    close();
    QString problem;
    const std::optional<QHostAddress> address = listenAddress(typed, &problem);
    if (!address) {
        bindFailed(problem, int(QAbstractSocket::HostNotFoundError));
        return false;
    }
    auto* server = new QTcpServer(this);
    server->setMaxPendingConnections(1);
    server->setListenBacklogSize(1);
    if (!server->listen(*address, port)) {
        const QAbstractSocket::SocketError error = server->serverError();
        const QString reason = server->errorString();
        delete server;
        if (error == QAbstractSocket::SocketResourceError || error == QAbstractSocket::UnsupportedSocketOperationError)
            m_prompter.message(QStringLiteral("Fehler - Socket (%1)").arg(int(error)),
                               kSocketText + QStringLiteral("\r\r") + reason, BoxButtons::Ok, BoxIcon::Exclamation);
        else
            bindFailed(reason, int(error));
        return false;
    }
    m_server = server;
    connect(m_server, &QTcpServer::newConnection, this, &TelnetSession::acceptClient);
    emit opened(m_server->socketDescriptor());
    emit stateChanged();
    return true;
}

void TelnetSession::bindFailed(const QString& reason, int code)
{
    m_prompter.message(QStringLiteral("Fehler - Socketbindung (%1)").arg(code),
                       kBindText + QStringLiteral("\r\r") + reason, BoxButtons::Ok, BoxIcon::Exclamation);
}

bool TelnetSession::Disconnect()
{
    if (!m_prompter.ask(QStringLiteral("Wollen Sie die aktive Telnet-Session beenden?"), 2))
        return false;
    close();
    return true;
}

void TelnetSession::close()
{
    const bool wasActive = m_server || m_client;
    dropClient();
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    if (wasActive)
        emit stateChanged();
}

bool TelnetSession::clientConnected() const
{
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

qintptr TelnetSession::socketNumber() const
{
    return m_server ? m_server->socketDescriptor() : -1;
}

quint16 TelnetSession::listeningPort() const
{
    return m_server ? m_server->serverPort() : 0;
}

QString TelnetSession::clientAddress() const
{
    if (!clientConnected())
        return QString();
    QHostAddress peer = m_client->peerAddress();
    bool mapped = false;
    const QHostAddress v4(peer.toIPv4Address(&mapped));
    return (mapped ? v4 : peer).toString() + QLatin1Char(':') + QString::number(m_client->peerPort());
}

qint64 TelnetSession::bufferedBytes() const
{
    return m_client ? m_client->bytesAvailable() : 0;
}

void TelnetSession::send(const QByteArray& bytes)
{
    if (clientConnected() && !bytes.isEmpty())
        m_client->write(bytes);
}

void TelnetSession::acceptClient()
{
    if (!m_server)
        return;
    while (QTcpSocket* next = m_server->nextPendingConnection()) {
        // A later client replaces the earlier one; the earlier connection is closed rather
        // than left open without anyone reading it.
        dropClient();
        m_client = next;
        m_client->setParent(this);
        m_client->setReadBufferSize(kReadBuffer);
        connect(m_client, &QTcpSocket::readyRead, this, &TelnetSession::readClient);
        QTcpSocket* client = m_client;
        connect(m_client, &QTcpSocket::disconnected, this, [this, client] {
            if (m_client == client) {
                // What arrived before the close is still shown.
                readClient();
                m_client = nullptr;
                client->deleteLater();
                emit stateChanged();
            }
        });
    }
    emit stateChanged();
}

void TelnetSession::readClient()
{
    // One pass hands out what the socket holds (at most kReadBuffer); the socket reads more
    // from the system only after that, so every pass returns to the event loop.
    QPointer<QTcpSocket> client = m_client;
    char buffer[kReadSize];
    while (client && client == m_client && client->bytesAvailable() > 0) {
        const qint64 n = client->read(buffer, kReadSize);
        if (n <= 0)
            break;
        emit received(QByteArray(buffer, int(n)));
    }
}

void TelnetSession::dropClient()
{
    if (!m_client)
        return;
    QTcpSocket* client = m_client;
    m_client = nullptr;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
}

} // namespace tarvex
