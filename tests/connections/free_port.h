#pragma once

#include <QHostAddress>
#include <QTcpServer>

// A local port nobody listens on at the moment.
inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
