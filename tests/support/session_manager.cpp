#include "tests/support/session_manager.h"

#include <QElapsedTimer>

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>

#include <vector>

struct TestSessionManager::State
{
    int listenCount = 0;
    IceListenObj* listeners = nullptr;
    QString address;
    QString error;
    std::vector<IceConn> connections;
    SmsConn client = nullptr;
    bool registered = false;
    bool saveDone = false;
    bool closed = false;
};

namespace {

TestSessionManager::State* g_state = nullptr;

Bool acceptAnyHost(char*)
{
    return True;
}

Status registerClient(SmsConn conn, SmPointer, char*)
{
    char* id = SmsGenerateClientID(conn);
    const Status ok = SmsRegisterClientReply(conn, id);
    free(id);
    g_state->registered = ok != 0;
    return ok;
}

void interactRequest(SmsConn conn, SmPointer, int)
{
    // A program may ask to talk to the user before the log-out; it may.
    SmsInteract(conn);
}

void interactDone(SmsConn, SmPointer, Bool) {}
void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void saveYourselfPhase2(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}

void saveYourselfDone(SmsConn, SmPointer, Bool)
{
    g_state->saveDone = true;
}

void closeConnection(SmsConn conn, SmPointer, int count, char** reasons)
{
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(conn);
    SmsCleanUp(conn);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    g_state->closed = true;
    g_state->client = nullptr;
}

void setProperties(SmsConn, SmPointer, int count, SmProp** props)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(props[i]);
    free(props);
}

void deleteProperties(SmsConn, SmPointer, int count, char** names)
{
    for (int i = 0; i < count; ++i)
        free(names[i]);
    free(names);
}

void getProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status newClient(SmsConn conn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**)
{
    g_state->client = conn;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask
            | SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask
            | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask
            | SmsGetPropertiesProcMask;
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = interactDone;
    callbacks->save_yourself_request.callback = saveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = saveYourselfPhase2;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    return 1;
}

} // namespace

TestSessionManager::TestSessionManager() : d(std::make_unique<State>())
{
    g_state = d.get();
    char error[256] = {};
    if (!SmsInitialize("Tarvex", "test", newClient, nullptr, acceptAnyHost, sizeof error, error)) {
        d->error = QString::fromLocal8Bit(error);
        return;
    }
    if (!IceListenForConnections(&d->listenCount, &d->listeners, sizeof error, error)) {
        d->error = QString::fromLocal8Bit(error);
        return;
    }
    for (int i = 0; i < d->listenCount; ++i)
        IceSetHostBasedAuthProc(d->listeners[i], acceptAnyHost);
    char* ids = IceComposeNetworkIdList(d->listenCount, d->listeners);
    d->address = QString::fromLocal8Bit(ids);
    free(ids);
}

TestSessionManager::~TestSessionManager()
{
    for (IceConn c : d->connections) {
        if (IceConnectionStatus(c) != IceConnectRejected) {
            IceSetShutdownNegotiation(c, False);
            IceCloseConnection(c);
        }
    }
    if (d->listeners)
        IceFreeListenObjs(d->listenCount, d->listeners);
    g_state = nullptr;
}

QString TestSessionManager::address() const
{
    return d->address;
}

QString TestSessionManager::error() const
{
    return d->error;
}

bool TestSessionManager::saveDone() const
{
    return d->saveDone;
}

void TestSessionManager::pump(int ms)
{
    std::vector<pollfd> fds;
    for (int i = 0; i < d->listenCount; ++i)
        fds.push_back({IceGetListenConnectionNumber(d->listeners[i]), POLLIN, 0});
    for (IceConn c : d->connections)
        fds.push_back({IceConnectionNumber(c), POLLIN, 0});
    if (::poll(fds.data(), fds.size(), ms) <= 0)
        return;
    for (int i = 0; i < d->listenCount; ++i) {
        if (!(fds[std::size_t(i)].revents & POLLIN))
            continue;
        IceAcceptStatus status;
        IceConn c = IceAcceptConnection(d->listeners[i], &status);
        if (c && status == IceAcceptSuccess)
            d->connections.push_back(c);
    }
    const std::vector<IceConn> current = d->connections;
    for (std::size_t i = 0; i < current.size() && d->listenCount + i < fds.size(); ++i) {
        if (!(fds[std::size_t(d->listenCount) + i].revents & (POLLIN | POLLHUP)))
            continue;
        IceConn c = current[i];
        const IceProcessMessagesStatus s = IceProcessMessages(c, nullptr, nullptr);
        if (s == IceProcessMessagesIOError) {
            if (d->client && SmsGetIceConnection(d->client) == c) {
                SmsCleanUp(d->client);
                d->client = nullptr;
                d->closed = true;
            }
            IceSetShutdownNegotiation(c, False);
            IceCloseConnection(c);
        }
        if (s != IceProcessMessagesSuccess || IceConnectionStatus(c) == IceConnectIOError)
            std::erase(d->connections, c);
    }
}

bool TestSessionManager::pumpUntil(const bool& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < ms)
        pump(50);
    return done;
}

bool TestSessionManager::waitForClient(int ms)
{
    return pumpUntil(d->registered, ms);
}

void TestSessionManager::endSession()
{
    if (d->client)
        SmsSaveYourself(d->client, SmSaveBoth, True, SmInteractStyleAny, False);
}

bool TestSessionManager::waitForClosed(int ms)
{
    return pumpUntil(d->closed, ms);
}

QProcessEnvironment TestSessionManager::desktopEnvironment(const QString& display) const
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("SESSION_MANAGER"), d->address);
    return env;
}
