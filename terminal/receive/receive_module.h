#pragma once

#include "terminal/core/data_bus.h"
#include "terminal/receive/line_delivery.h"
#include "terminal/receive/receive_pipeline.h"

#include <QObject>

namespace tarvex {

class SerialModule;
struct TerminalContext;

// The receive subsystem: polls the port while connected, cuts and converts lines and
// delivers them; keeps the monitor file open exactly while the connection is, and writes
// what was sent into the monitor and capture files.
class ReceiveModule : public QObject
{
    Q_OBJECT
public:
    ReceiveModule(TerminalContext& context, SerialModule& serial, QObject* parent = nullptr);

    ReceivePipeline& pipeline() { return m_pipeline; }
    LineDelivery& delivery() { return m_delivery; }

private:
    TerminalContext& m_ctx;
    SerialModule& m_serial;
    LineDelivery m_delivery;
    ReceivePipeline m_pipeline;
    Subscription m_sent;
};

} // namespace tarvex
