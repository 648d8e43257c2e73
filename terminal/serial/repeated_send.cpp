#include "terminal/serial/repeated_send.h"

#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "terminal/serial/serial_line.h"
#include "terminal/core/terminal_state.h"

namespace tarvex {

RepeatedSend::RepeatedSend(TerminalState& state, SerialLine& line, Clock& clock)
    : m_state(state), m_line(line), m_clock(clock)
{
}

bool RepeatedSend::valid(int code, int count, double pauseSeconds)
{
    return code >= 0 && code <= 255 && count >= 1 && count <= 1000000 && pauseSeconds >= 0 && pauseSeconds <= 3600;
}

int RepeatedSend::run(int code, int count, double pauseSeconds, const std::function<void(int, int)>& progress,
                      const bool* cancel)
{
    int sent = 0;
    const int pauseMs = clampedInt(pauseSeconds * 1000.0);
    for (int i = 0; i < count; ++i) {
        if (!m_state.connectionActive || (cancel && *cancel))
            break;
        if (i > 0)
            m_clock.wait(pauseMs);
        if (!m_state.connectionActive || (cancel && *cancel))
            break;
        m_line.RS232_Protokoll(3, code);
        ++sent;
        if (progress)
            progress(sent, count);
    }
    return sent;
}

QString RepeatedSend::progressText(int sent, int total, const QString& when)
{
    return QStringLiteral("%1 von %2 Zeichen, ").arg(sent).arg(total) + when + QStringLiteral(" gesendet.");
}

} // namespace tarvex
