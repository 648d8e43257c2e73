#pragma once

#include "shared/line_appender.h"
#include "terminal/core/monitor_file.h"
#include "terminal/receive/receive_listener.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

class Clock;

namespace tarvex {

class ErrorReport;
class TerminalState;
class DataBus;
class ViewRoles;
struct SentData;

// Delivers received lines, in the fixed order: display, received statistics, monitor file,
// capture file, the line observers (script recorder, alarm check) and the line counter.
// Within one receive pass (between receiving(true) and receiving(false)) the monitor and
// capture bytes are gathered and appended with one write each when the pass ends (or
// when 64 KiB are waiting), and the line counter is shown once.
class LineDelivery : public ReceiveListener, public MonitorFile
{
public:
    LineDelivery(TerminalState& state, const Clock& clock, ErrorReport& errors, ViewRoles& view, DataBus& bus);

    // The monitor file is open exactly while the connection is.
    void openMonitor() override;
    void closeMonitor() override;
    bool monitorOpen() const override { return m_monitor.isOpen(); }

    // ReceiveListener
    void lineReceived(const QByteArray& line, const QByteArray& rest, bool immediate) override;
    void characterFiltered(unsigned char c) override;
    void backspaceReceived() override;
    void bell() override;
    void debugCaption(const QString& caption) override;
    void endCharacterDetected() override;
    void receiving(bool active) override;

    // The display text of a line (decoded as `text`): stamps in line mode, hexadecimal rows
    // with HexWerte.
    QString displayText(const QByteArray& line, const QString& text, bool immediate, const QDateTime& now) const;
    static QString hexRows(const QByteArray& line);
    static QString hexImmediate(const QByteArray& data);

    // Capture file rules for one line; returns the bytes appended (empty: none).
    QByteArray captureBytes(const QByteArray& line, bool immediate) const;
    void writeCapture(const QByteArray& line, bool immediate);
    void writeMonitor(const QByteArray& line, bool immediate);

    QString monitorPath() const;
    // Appends the monitor and capture bytes gathered so far; failures are reported.
    void flushFiles();
    static constexpr qsizetype kMaxPendingBytes = 64 * 1024;

    // What was sent goes to the monitor and capture files too.
    void sentReceived(const SentData& sent);

private:
    // The monitor file named in a failure report, without a look at the disk per line.
    QString reportedMonitorPath() const;
    // The capture file as found on disk (names are matched without regard to case); looked
    // up again when the setting changes.
    const QString& capturePath();
    QString timeStamp() const;
    void appendCapture(const QByteArray& bytes);
    void writePendingMonitor();
    void writePendingCapture();

    TerminalState& m_state;
    const Clock& m_clock;
    ErrorReport& m_errors;
    ViewRoles& m_view;
    DataBus& m_bus;
    LineAppender m_monitor;
    QString m_monitorPath; // as found when the monitor was last opened
    QString m_captureSetting;
    QString m_capturePath;
    bool m_inPass = false;
    QByteArray m_pendingMonitor;
    QByteArray m_pendingCapture;
    QString m_pendingCapturePath;
};

} // namespace tarvex
