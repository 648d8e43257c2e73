#pragma once

#include "shared/line_appender.h"
#include "terminal/core/receive_listener.h"

#include <QByteArray>
#include <QString>

#include <functional>

class Clock;
class ErrorReport;
class TerminalState;
class TerminalView;

// Delivers received lines, in the fixed order: display, received statistics, monitor file,
// capture file, the line observers (script recorder, alarm check) and the line counter.
class LineDelivery : public ReceiveListener
{
public:
    LineDelivery(TerminalState& state, const Clock& clock, ErrorReport& errors);
    void setView(TerminalView* view) { m_view = view; }

    // Called for every delivered line after the files (recorder, alarm check).
    void addLineObserver(std::function<void(const QString& line, bool immediate)> observer)
    {
        m_observers.push_back(std::move(observer));
    }

    // The monitor file is open exactly while the connection is.
    void openMonitor();
    void closeMonitor();
    bool monitorOpen() const { return m_monitor.isOpen(); }

    // ReceiveListener
    void lineReceived(const QByteArray& line, const QByteArray& rest, bool immediate) override;
    void characterFiltered(unsigned char c) override;
    void backspaceReceived() override;
    void bell() override;
    void debugCaption(const QString& caption) override;
    void receiving(bool active) override;

    // The display text of a line: stamps in line mode, hexadecimal rows with HexWerte.
    QString displayText(const QByteArray& line, bool immediate);
    static QString hexRows(const QByteArray& line);
    static QString hexImmediate(const QByteArray& data);

    // Capture file rules for one line; returns the bytes appended (empty: none).
    QByteArray captureBytes(const QByteArray& line, bool immediate) const;
    void writeCapture(const QByteArray& line, bool immediate);
    void writeMonitor(const QByteArray& line, bool immediate);

    QString monitorPath() const;

private:
    QString timeStamp() const;

    TerminalState& m_state;
    const Clock& m_clock;
    ErrorReport& m_errors;
    TerminalView* m_view = nullptr;
    LineAppender m_monitor;
    std::vector<std::function<void(const QString&, bool)>> m_observers;
};
