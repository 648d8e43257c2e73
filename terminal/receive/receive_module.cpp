#include "terminal/receive/receive_module.h"

#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/platform/serial_port.h"
#include "terminal/serial/serial_module.h"

namespace tarvex {

ReceiveModule::ReceiveModule(TerminalContext& context, SerialModule& serial, QObject* parent)
    : QObject(parent),
      m_ctx(context),
      m_serial(serial),
      m_delivery(context.state, context.clock, context.errors, context.view, context.bus),
      m_pipeline(context.state, context.port, serial.line(), context.errors, context.clock, context.bus)
{
    m_pipeline.setListener(&m_delivery);
    m_sent = m_ctx.bus.onSent([this](const SentData& sent) { m_delivery.sentReceived(sent); });
    m_serial.onConnectionControlled([this](bool open) {
        if (open && !m_delivery.monitorOpen())
            m_delivery.openMonitor();
        else if (!open)
            m_delivery.closeMonitor();
    });
    connect(&m_ctx.state.tmrSeriell, &QTimer::timeout, this, [this] {
        m_pipeline.SeriellLesen();
        if (m_ctx.state.connectionActive && m_ctx.port.lost()) {
            // A line the device could not finish is kept as it is, not glued to the first
            // line after a reconnect.
            m_pipeline.deliverRest();
            m_serial.connectionLost();
        }
    });
}

} // namespace tarvex
