#include "terminal/serial/serial_line.h"

#include "shared/cp1252.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/runtime_error.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"

namespace tarvex {

namespace {

constexpr int kPortSettleMs = 549;

} // namespace

SerialLine::SerialLine(TerminalState& state, SerialPort& port, Prompter& prompter, Clock& clock, ErrorReport& errors,
                       ViewRoles& view)
    : m_state(state), m_port(port), m_prompter(prompter), m_clock(clock), m_errors(errors), m_view(view)
{
}

QString SerialLine::devicePath(int com) const
{
    if (com >= 1 && com <= int(m_state.settings.portDevices.size())) {
        const QString& configured = m_state.settings.portDevices[std::size_t(com - 1)];
        if (!configured.trimmed().isEmpty())
            return configured.trimmed();
    }
    return defaultDevicePath(com);
}

QString SerialLine::defaultDevicePath(int com)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(com);
#else
    return QStringLiteral("/dev/ttyS%1").arg(com - 1);
#endif
}

bool SerialLine::VerbindungSteuern(int mode)
{
    guarded(m_errors, "VerbindungSteuern", mode, devicePath(m_state.settings.com), [&] {
        if (mode == 1)
            open();
        else if (mode == 2)
            close();
    });
    return m_state.connectionActive;
}

bool SerialLine::openPort(QString* reason)
{
    const KundeSettings& s = m_state.settings;
    if (s.com < 1 || s.com > 20)
        return false;
    const PortFraming framing = PortFraming::of(s);
    SerialSettings ps{devicePath(s.com), s.baudrate, char(framing.parity.toLatin1()), framing.dataBits,
                      framing.stopBits, s.handshake == 2};
    return m_port.open(ps, reason);
}

void SerialLine::open()
{
    const QString com = QString::number(m_state.settings.com);
    QString reason;
    if (!openPort(&reason)) {
        if (m_view)
            m_view.setStatusText(1, QStringLiteral("     COM ") + com + QStringLiteral(" Fehler!"));
        m_prompter.message(QStringLiteral("Sicherheitshinweis"),
                           QStringLiteral("Schnittstelle COM ") + com + QStringLiteral(" konnte nicht geöffnet werden!"),
                           BoxButtons::Ok, BoxIcon::Critical);
        return;
    }
    activate(true);
}

bool SerialLine::reopen()
{
    if (m_state.connectionActive)
        return true;
    bool opened = false;
    guarded(m_errors, "VerbindungSteuern", 1, devicePath(m_state.settings.com), [&] {
        opened = openPort(nullptr);
        if (opened)
            activate(false);
    });
    return opened && m_state.connectionActive;
}

void SerialLine::activate(bool freshSession)
{
    KundeSettings& s = m_state.settings;
    m_clock.wait(kPortSettleMs);
    m_clock.wait(1);
    m_state.connectionActive = true;
    m_port.setDtr(true);
    m_port.setRts(true);
    if (freshSession) {
        m_port.clearBuffers();
        m_state.receivedLineCount = 0;
        m_state.sentLineCount = 0;
        m_state.lineIndex = 0;
        if (s.sessionL == 1) {
            const QDateTime now = m_clock.now();
            m_state.sessionStart = now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
                + now.toString(QStringLiteral("hh:mm:ss"));
        }
    }
    if (m_view) {
        m_view.setLamp(Lamp::DSR, LampImage::Blau);
        m_view.setLamp(Lamp::RTS, LampImage::Blau);
        m_view.setStatusText(5, QString::number(m_state.receivedLineCount));
        m_view.setStatusText(6, QString::number(m_state.sentLineCount));
        m_view.setStatusText(1, QStringLiteral("Verbindung aktiv"));
        m_view.connectionChanged(true);
    }
    m_state.tmrSeriell.start();
}

void SerialLine::close()
{
    if (!m_state.connectionActive)
        return;
    m_state.connectionActive = false;
    m_port.setDtr(false);
    m_port.setRts(false);
    m_port.clearBuffers();
    if (m_view) {
        m_view.setStatusText(1, QStringLiteral("Nicht aktiv!"));
        for (Lamp l : {Lamp::DSR, Lamp::RTS, Lamp::RX})
            m_view.setLamp(l, LampImage::BlauDunkel);
    }
    m_clock.wait(kPortSettleMs);
    m_port.close();
    m_state.tmrSeriell.stop();
    if (m_view)
        m_view.connectionChanged(false);
}

void SerialLine::RS232_Protokoll(int mode, int code, const QString& text)
{
    guarded(m_errors, "RS232_Protokoll", mode, text.isEmpty() ? QString::number(code) : text,
            [&] { write(mode, code, text); });
    if (m_view) {
        m_view.setLamp(Lamp::Knopf, LampImage::GruenDunkel);
        if (m_state.settings.status)
            m_view.setLamp(Lamp::TX, LampImage::BlauDunkel);
    }
}

void SerialLine::write(int mode, int code, const QString& text)
{
    const KundeSettings& s = m_state.settings;
    if (m_view) {
        m_view.setLamp(Lamp::Knopf, LampImage::Gruen);
        if (s.status)
            m_view.setLamp(Lamp::TX, LampImage::Blau);
    }
    QByteArray bytes;
    if (mode == 1 || mode == 3)
        bytes.append(char(code & 0xFF));
    else if (mode == 2)
        bytes = Cp1252::encode(text) + "\r\n";
    else if (mode == 4)
        bytes = Cp1252::encode(text);
    else
        return;
    transmit(bytes, (mode == 1 || mode == 3) ? 1 : int(text.size()));
    if (mode == 1) {
        const int pause = code == 10 ? s.sendPauseL : code == 13 ? s.sendPauseR : s.sendPause;
        if (pause > 0)
            m_clock.wait(pause);
    }
}

bool SerialLine::writeBytes(const QByteArray& bytes)
{
    if (m_view) {
        m_view.setLamp(Lamp::Knopf, LampImage::Gruen);
        if (m_state.settings.status)
            m_view.setLamp(Lamp::TX, LampImage::Blau);
    }
    const bool written = guarded(m_errors, "RS232_Protokoll", 4, QString::number(bytes.size()),
                                 [&] { transmit(bytes, int(bytes.size())); });
    if (m_view) {
        m_view.setLamp(Lamp::Knopf, LampImage::GruenDunkel);
        if (m_state.settings.status)
            m_view.setLamp(Lamp::TX, LampImage::BlauDunkel);
    }
    return written;
}

// Writes with the protocol's DTR handling and counts the characters in the statistics.
void SerialLine::transmit(const QByteArray& bytes, int counted)
{
    const KundeSettings& s = m_state.settings;
    const int slot = StatisticsTable::halfHourIndex(m_clock.now().time());
    m_state.sentStats.add(slot, counted);

    const bool hardware = s.handshake == 1;
    if (hardware) {
        m_port.setDtr(false);
        if (m_view && s.status)
            m_view.setLamp(Lamp::DSR, LampImage::BlauDunkel);
    }
    const bool written = m_port.isOpen() && m_port.write(bytes);
    if (hardware) {
        m_port.setDtr(true);
        if (m_view && s.status)
            m_view.setLamp(Lamp::DSR, LampImage::Blau);
    }
    if (!written)
        throw RuntimeError(ErrorCode::DeviceIo, devicePath(s.com));
}

} // namespace tarvex
