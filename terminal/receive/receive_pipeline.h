#pragma once

#include <algorithm>

#include <QByteArray>
#include <QString>

class Clock;

namespace tarvex {

class DataBus;
class ErrorReport;
class ReceiveListener;
class SerialLine;
class SerialPort;
class TerminalState;

// Reads what the port holds, answers enquiries, filters, cuts lines at the end character,
// converts them and hands them to the listener in arrival order.
class ReceivePipeline
{
public:
    ReceivePipeline(TerminalState& state, SerialPort& port, SerialLine& line, ErrorReport& errors, const Clock& clock,
                    DataBus& bus);
    void setListener(ReceiveListener* listener) { m_listener = listener; }

    // One pass: repeats until a read returns nothing. A pass never runs inside another
    // (a box shown during a pass keeps the timer running).
    void SeriellLesen();

    // A line that never ends is handed on as it is once the buffer holds this many bytes.
    static constexpr qsizetype kMaxBuffer = 64 * 1024;
    // Another size for that (tests and the fuzz target reach it with short streams).
    void setBufferLimit(qsizetype bytes) { m_bufferLimit = std::max<qsizetype>(1, bytes); }
    qsizetype bufferLimit() const { return m_bufferLimit; }
    // The debug captions show at most this much of the buffer: built for every read and
    // every line, a whole buffer of 64 KiB made each line cost as much as the buffer.
    static constexpr qsizetype kDebugShown = 255;

    const QByteArray& buffer() const { return m_buffer; }
    // Hands an unfinished line on as it is (the device went away in the middle of it).
    void deliverRest();
    void clearBuffer() { m_buffer.clear(); }

    // Optionally strips the first and last character, then replaces code `from` by `to`.
    static QString ZeichenTausch(int strip, const QString& text, int from, int to);

    // The end character found in the buffer: its position and code (-1 when none).
    struct EndMark
    {
        qsizetype position = -1;
        int code = 0;
    };
    EndMark findEnd() const;

private:
    void pass();
    void handleNewData(QByteArray data);
    void editImmediate();
    QByteArray stampImmediate(const QByteArray& data);
    bool cutLine();
    QByteArray convert(QByteArray line) const;
    void deliver(const QByteArray& line, bool immediate);

    TerminalState& m_state;
    SerialPort& m_port;
    SerialLine& m_line;
    ErrorReport& m_errors;
    const Clock& m_clock;
    DataBus& m_bus;
    ReceiveListener* m_listener = nullptr;
    QByteArray m_buffer;
    qsizetype m_bufferLimit = kMaxBuffer;
    qsizetype m_lastPosition = -1;
    bool m_inPass = false;
    bool m_dataInPass = false;
};

} // namespace tarvex
