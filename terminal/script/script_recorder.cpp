#include "terminal/script/script_recorder.h"

#include "shared/cp1252.h"
#include "terminal/core/terminal_state.h"

namespace tarvex {

ScriptRecorder::ScriptRecorder(TerminalState& state, DataBus& bus) : m_state(state), m_bus(bus) {}

void ScriptRecorder::notify()
{
    if (changed)
        changed();
}

void ScriptRecorder::listen(bool on)
{
    if (!on) {
        m_sent.reset();
        m_received.reset();
        return;
    }
    m_sent = m_bus.onSent([this](const SentData& s) { sent(s); });
    m_received = m_bus.onRaw([this](const QByteArray& bytes) { received(bytes); });
}

void ScriptRecorder::toggleShown()
{
    if (m_shown) {
        m_recording = false;
        m_shown = false;
        listen(false);
    } else {
        m_lines.clear();
        m_shown = true;
    }
    m_line.clear();
    notify();
}

void ScriptRecorder::toggleRecording()
{
    if (!m_shown)
        return;
    m_recording = !m_recording;
    listen(m_recording);
    notify();
}

QStringList ScriptRecorder::stop()
{
    m_recording = false;
    m_shown = false;
    listen(false);
    m_line.clear();
    QStringList taken;
    taken.swap(m_lines);
    notify();
    return taken;
}

void ScriptRecorder::sent(const SentData& s)
{
    if (!m_recording || s.origin != SentData::Origin::Keyboard)
        return;
    if (s.erases) {
        m_line.chop(1);
        return;
    }
    const bool controlKey = s.bytes.size() == 1 && !s.lineEnd && s.bytes.at(0) >= 1 && s.bytes.at(0) <= 26;
    if (controlKey)
        m_line += QStringLiteral("<Ctrl+") + QChar(u'A' + s.bytes.at(0) - 1) + QLatin1Char('>');
    else
        m_line += Cp1252::decode(s.bytes);
    if (s.lineEnd)
        closeLine();
}

void ScriptRecorder::received(const QByteArray& bytes)
{
    if (!m_recording || m_line.isEmpty())
        return;
    // Keys that went out without a send key (a control key, keys sent one by one): the
    // device's answer ends the line; shown at once, only an answer with a line end does.
    if (!m_state.settings.sofortEmpf || bytes.contains('\r') || bytes.contains('\n'))
        closeLine();
}

void ScriptRecorder::closeLine()
{
    m_lines.append(m_line);
    m_line.clear();
    notify();
}

} // namespace tarvex
