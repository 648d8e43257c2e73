#include "terminal/receive/line_delivery.h"

#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/platform/clock.h"
#include "shared/runtime_error.h"
#include "terminal/core/data_bus.h"
#include "terminal/core/error_report.h"
#include "terminal/receive/line_stamp.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"

#include <QFile>

#include <QFileInfo>

#include <utility>

namespace tarvex {

LineDelivery::LineDelivery(TerminalState& state, const Clock& clock, ErrorReport& errors, ViewRoles& view, DataBus& bus)
    : m_state(state), m_clock(clock), m_errors(errors), m_view(view), m_bus(bus)
{
}

QString LineDelivery::monitorPath() const
{
    return AppFolders::findCaseInsensitive(m_state.folders.anzeigeDir() + QStringLiteral("monitor.txt"));
}

QString LineDelivery::reportedMonitorPath() const
{
    return m_monitorPath.isEmpty() ? monitorPath() : m_monitorPath;
}

void LineDelivery::openMonitor()
{
    // Found once per connection; every line's failure report names it.
    m_monitorPath = monitorPath();
    guarded(m_errors, "VerbindungSteuern", 1, m_monitorPath, [&] { m_monitor.open(m_monitorPath); });
}

void LineDelivery::closeMonitor()
{
    guarded(m_errors, "SeriellLesen", 0, reportedMonitorPath(), [&] { writePendingMonitor(); });
    m_monitor.close();
}

QString LineDelivery::timeStamp() const
{
    return LineStamp::timeText(m_clock.now());
}

QString LineDelivery::hexRows(const QByteArray& line)
{
    QString out;
    for (qsizetype start = 0; start < line.size(); start += 16) {
        const QByteArray row = line.mid(start, 16);
        QString codes;
        for (char c : row)
            codes += QStringLiteral("%1 ").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')).toUpper();
        out += codes.leftJustified(53, QLatin1Char(' ')) + Cp1252::decode(row) + QLatin1Char('\r');
    }
    return out;
}

QString LineDelivery::hexImmediate(const QByteArray& data)
{
    QString out;
    for (char c : data) {
        out += QStringLiteral("%1 ").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')).toUpper();
        if (c == '\r')
            out += QLatin1Char('\r');
    }
    return out;
}

QString LineDelivery::displayText(const QByteArray& line, const QString& text, bool immediate, const QDateTime& now) const
{
    const KundeSettings& s = m_state.settings;
    if (s.hexWerte)
        return immediate ? hexImmediate(line) : hexRows(line);
    // In immediate receive mode the stamps are already in the stream.
    const QString prefix = immediate || s.sofortEmpf
        ? QString()
        : LineStamp::prefix(now, s.zeitStemp, s.indexStemp, m_state.lineIndex);
    return prefix + text + (immediate ? QString() : QStringLiteral("\r"));
}

QByteArray LineDelivery::captureBytes(const QByteArray& line, bool immediate) const
{
    const KundeSettings& s = m_state.settings;
    if (s.capBinaer) {
        QByteArray raw = line;
        raw.replace('\r', QByteArray()).replace('\n', QByteArray());
        return raw;
    }
    if (immediate)
        return line;
    QByteArray out = line + "\r\n";
    if (s.capZeit)
        out.prepend(Cp1252::encode(timeStamp() + QStringLiteral("  ")));
    return out;
}

void LineDelivery::writeCapture(const QByteArray& line, bool immediate)
{
    const KundeSettings& s = m_state.settings;
    if (!s.capture || s.capDatei.isEmpty())
        return;
    const QByteArray bytes = captureBytes(line, immediate);
    if (bytes.isEmpty())
        return;
    appendCapture(bytes);
}

void LineDelivery::appendCapture(const QByteArray& bytes)
{
    const QString& path = capturePath();
    // A capture file named anew in the middle of a pass gets its own lines.
    if (!m_pendingCapture.isEmpty() && path != m_pendingCapturePath)
        writePendingCapture();
    m_pendingCapturePath = path;
    m_pendingCapture += bytes;
    if (!m_inPass || m_pendingCapture.size() >= kMaxPendingBytes)
        writePendingCapture();
}

void LineDelivery::writePendingCapture()
{
    if (m_pendingCapture.isEmpty())
        return;
    // Taken out first: what failed is reported once and not written again with the next lines.
    const QByteArray bytes = std::exchange(m_pendingCapture, QByteArray());
    // The capture file is never held open between passes.
    LineAppender::appendBytesTo(m_pendingCapturePath, bytes);
}

void LineDelivery::writePendingMonitor()
{
    if (m_pendingMonitor.isEmpty())
        return;
    const QByteArray bytes = std::exchange(m_pendingMonitor, QByteArray());
    if (m_monitor.isOpen())
        m_monitor.appendBytes(bytes);
}

void LineDelivery::flushFiles()
{
    // Each file on its own: a capture file that cannot be written costs the monitor nothing.
    guarded(m_errors, "SeriellLesen", 0, reportedMonitorPath(), [&] { writePendingMonitor(); });
    guarded(m_errors, "SeriellLesen", 0, reportedMonitorPath(), [&] { writePendingCapture(); });
}

const QString& LineDelivery::capturePath()
{
    const QString& setting = m_state.settings.capDatei;
    if (setting != m_captureSetting || m_capturePath.isEmpty()) {
        m_captureSetting = setting;
        m_capturePath = AppFolders::findCaseInsensitive(setting);
    }
    return m_capturePath;
}

void LineDelivery::writeMonitor(const QByteArray& line, bool immediate)
{
    if (!m_monitor.isOpen())
        return;
    m_pendingMonitor += line;
    if (!immediate)
        m_pendingMonitor += "\r\n";
    if (!m_inPass || m_pendingMonitor.size() >= kMaxPendingBytes)
        writePendingMonitor();
}

void LineDelivery::sentReceived(const SentData& sent)
{
    if (sent.erases)
        return;
    // What was received before stays before it in the files.
    flushFiles();
    guarded(m_errors, "Senden", 0, reportedMonitorPath(), [&] {
        writeMonitor(sent.bytes, !sent.lineEnd);
        writeCapture(sent.bytes, !sent.lineEnd);
    });
}

void LineDelivery::lineReceived(const QByteArray& line, const QByteArray& rest, bool immediate)
{
    if (!immediate && !m_state.settings.sofortEmpf)
        ++m_state.lineIndex;
    // One reading of the clock and one decoding serve the display and the observers.
    const QDateTime now = m_clock.now();
    const QString text = Cp1252::decode(line);
    if (m_view) {
        if (m_state.debugMode) {
            const QString stamp = QStringLiteral("-> ") + LineStamp::timeText(now);
            m_view.appendDisplay(stamp + QStringLiteral("  Daten:  ") + text + QLatin1Char('\r'));
            m_view.appendDisplay(stamp + QStringLiteral("  Rest :  ") + Cp1252::decode(rest) + QLatin1Char('\r'));
        } else {
            m_view.appendDisplay(displayText(line, text, immediate, now));
        }
    }
    m_state.receivedStats.add(StatisticsTable::halfHourIndex(now.time()), line.size());
    guarded(m_errors, "SeriellLesen", 0, reportedMonitorPath(), [&] {
        writeMonitor(line, immediate);
        writeCapture(line, immediate);
    });
    if (m_bus.hasLineObservers())
        m_bus.publishLine(ReceivedLine{line, text, immediate, now});
    ++m_state.receivedLineCount;
    if (m_view && !m_inPass)
        m_view.setStatusText(5, QString::number(m_state.receivedLineCount));
}

void LineDelivery::characterFiltered(unsigned char c)
{
    if (m_view)
        m_view.setStatusText(0, QStringLiteral("Zeichen gefiltert: ") + Cp1252::toUnicode(c));
}

void LineDelivery::backspaceReceived()
{
    if (!m_view)
        return;
    if (m_state.settings.steuerAnzg)
        m_view.appendDisplay(QStringLiteral("<BS>"));
    else
        m_view.displayBackspace();
}

void LineDelivery::bell()
{
    if (m_view)
        m_view.beep();
}

void LineDelivery::debugCaption(const QString& caption)
{
    if (m_view)
        m_view.setCaption(caption);
}

void LineDelivery::endCharacterDetected()
{
    m_view.endCharacterChanged();
}

void LineDelivery::receiving(bool active)
{
    m_inPass = active;
    if (!active) {
        flushFiles();
        if (m_view)
            m_view.setStatusText(5, QString::number(m_state.receivedLineCount));
    }
    if (!m_view)
        return;
    m_view.displayBurst(active);
    m_view.setLamp(Lamp::Knopf, active ? LampImage::Gruen : LampImage::GruenDunkel);
    if (m_state.settings.status)
        m_view.setLamp(Lamp::RX, active ? LampImage::Blau : LampImage::BlauDunkel);
}

} // namespace tarvex
