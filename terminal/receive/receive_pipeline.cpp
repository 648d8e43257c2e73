#include "terminal/receive/receive_pipeline.h"

#include "shared/cp1252.h"
#include "shared/cp850.h"
#include "shared/daten_pipe.h"
#include "shared/platform/clock.h"
#include "terminal/core/character_info.h"
#include "terminal/core/data_bus.h"
#include "terminal/core/error_report.h"
#include "terminal/receive/line_stamp.h"
#include "terminal/receive/receive_listener.h"
#include "terminal/serial/serial_line.h"
#include "terminal/core/terminal_state.h"

namespace tarvex {

namespace {

constexpr char kStx = 2;
constexpr char kEtx = 3;
constexpr char kEnq = 5;
constexpr char kBel = 7;
constexpr char kBs = 8;
constexpr char kLf = 10;
constexpr char kCr = 13;

} // namespace

ReceivePipeline::ReceivePipeline(TerminalState& state, SerialPort& port, SerialLine& line, ErrorReport& errors,
                                 const Clock& clock, DataBus& bus)
    : m_state(state), m_port(port), m_line(line), m_errors(errors), m_clock(clock), m_bus(bus)
{
}

QString ReceivePipeline::ZeichenTausch(int strip, const QString& text, int from, int to)
{
    QString t = text;
    if (strip != 0)
        t = t.size() >= 2 ? t.mid(1, t.size() - 2) : QString();
    return t.replace(QChar(char16_t(from)), QChar(char16_t(to)));
}

ReceivePipeline::EndMark ReceivePipeline::findEnd() const
{
    const int end = m_state.settings.endzeichen;
    if (end != 0)
        return {m_buffer.indexOf(char(end)), end};
    // Automatic: the first of these candidates that occurs at all.
    for (char c : {kEtx, kBel, kLf, kCr, char(26)}) {
        const qsizetype p = m_buffer.indexOf(c);
        if (p >= 0)
            return {p, int(c)};
    }
    return {};
}

void ReceivePipeline::SeriellLesen()
{
    if (m_inPass)
        return;
    m_inPass = true;
    m_dataInPass = false;
    guarded(m_errors, "SeriellLesen", 0, QStringLiteral("Pos: ") + QString::number(m_lastPosition + 1), [&] { pass(); });
    // Also after a failure: the lamps and the display leave the burst.
    if (m_dataInPass && m_listener)
        m_listener->receiving(false);
    m_inPass = false;
}

void ReceivePipeline::pass()
{
    for (;;) {
        QByteArray data = m_port.readAvailable();
        if (data.isEmpty())
            return;
        if (!m_dataInPass && m_listener)
            m_listener->receiving(true);
        m_dataInPass = true;
        // The raw tap sees every byte as read, ahead of filter and line cutting.
        if (m_bus.hasRawObservers())
            m_bus.publishRaw(data);
        // A binary transfer or the session screen takes the bytes over: no lines are cut.
        if (m_bus.rawTaken())
            m_bus.publishTaken(data);
        else
            handleNewData(std::move(data));
    }
}

void ReceivePipeline::deliverRest()
{
    if (m_buffer.isEmpty() || m_inPass)
        return;
    const QByteArray line = m_buffer;
    m_buffer.clear();
    guarded(m_errors, "SeriellLesen", 0, QStringLiteral("Rest"), [&] { deliver(line, false); });
}

void ReceivePipeline::handleNewData(QByteArray data)
{
    KundeSettings& s = m_state.settings;
    if (m_state.ackAwaited != 0 && data.contains(char(m_state.ackAwaited)))
        m_state.ackAwaited = 0;
    // One ACK for every enquiry that arrives (checked on the new data only, so a waiting
    // enquiry is not answered again with every later block).
    if (s.endzeichen == 3) {
        for (qsizetype n = data.count(kEnq); n > 0; --n)
            m_line.RS232_Protokoll(1, 6);
    }
    if (s.filter) {
        QByteArray kept;
        kept.reserve(data.size());
        for (char c : std::as_const(data)) {
            if (m_state.filter.contains(static_cast<unsigned char>(c))) {
                if (m_listener)
                    m_listener->characterFiltered(static_cast<unsigned char>(c));
            } else {
                kept.append(c);
            }
        }
        data = kept;
    }
    // An incoming call: "ring" in the newest data (with the tail of the buffer, so that a
    // word split over two reads is found once).
    if (s.anruf) {
        const QByteArray window = (m_buffer.right(3) + data).toLower();
        if (window.contains("ring"))
            m_line.RS232_Protokoll(2, 0, QStringLiteral("ATA"));
    }
    if (s.sofortEmpf && (s.zeitStemp || s.indexStemp) && (s.endzeichen == 13 || s.endzeichen == 10))
        data = stampImmediate(data);
    m_buffer += data;
    if (s.sofortEmpf)
        editImmediate();
    if (m_state.debugMode && m_listener) {
        const EndMark mark = findEnd();
        m_listener->debugCaption(QStringLiteral("EZ: ") + QString::number(mark.position >= 0 ? mark.code : s.endzeichen)
                                 + QStringLiteral("   Pos: ") + QString::number(mark.position + 1)
                                 + QStringLiteral("  -> ") + Cp1252::decode(m_buffer.left(kDebugShown)));
    }
    while (cutLine()) {
    }
    if (s.sofortEmpf && !m_buffer.isEmpty()) {
        const QByteArray line = m_buffer;
        m_buffer.clear();
        deliver(line, true);
    }
    // A device that never sends the end character must not fill the memory.
    while (m_buffer.size() >= m_bufferLimit) {
        const QByteArray line = m_buffer.left(m_bufferLimit);
        m_buffer.remove(0, m_bufferLimit);
        deliver(line, false);
    }
}

QByteArray ReceivePipeline::stampImmediate(const QByteArray& data)
{
    // Behind every end character the stamps of the next line, so they stand at its start.
    const KundeSettings& s = m_state.settings;
    const char end = char(s.endzeichen);
    QByteArray out;
    out.reserve(data.size() + 32);
    for (char c : data) {
        out.append(c);
        if (c == end) {
            ++m_state.lineIndex;
            out += Cp1252::encode(LineStamp::prefix(m_clock.now(), s.zeitStemp, s.indexStemp, m_state.lineIndex));
        }
    }
    return out;
}

void ReceivePipeline::editImmediate()
{
    const KundeSettings& s = m_state.settings;
    qsizetype caret;
    while (m_buffer.size() >= 4 && (caret = m_buffer.indexOf("\n\r^")) >= 0 && caret + 3 < m_buffer.size())
        m_buffer.remove(caret, 4);
    while (m_buffer.size() >= 2 && (caret = m_buffer.indexOf('^')) >= 0 && caret + 1 < m_buffer.size())
        m_buffer.remove(caret, 2);
    if (s.backSpace > 0 && m_buffer.contains(char(s.backSpace))) {
        m_buffer = QByteArray(1, kBs);
        if (m_listener)
            m_listener->backspaceReceived();
        m_buffer.clear();
    }
}

bool ReceivePipeline::cutLine()
{
    KundeSettings& s = m_state.settings;
    const EndMark mark = findEnd();
    m_lastPosition = mark.position;
    if (s.endzeichen == 0 && mark.code == kEtx) {
        s.endzeichen = 3; // an ETX device stays an ETX device
        if (m_listener)
            m_listener->endCharacterDetected();
    }
    if (mark.position < 0)
        return false;
    QByteArray line = m_buffer.left(mark.position);
    m_buffer.remove(0, mark.position + 1);
    const QString endName = s.steuerAnzg ? CharacterInfo::Steuerzeichen(mark.code, m_state.controlCharList) : QString();
    if (mark.code == kEtx) {
        const qsizetype stx = line.lastIndexOf(kStx);
        if (stx >= 0)
            line = line.mid(stx + 1);
        if (s.steuerAnzg)
            line = "<STX>" + line;
    } else if (mark.code == kBel) {
        if (m_listener)
            m_listener->bell();
        if (s.steuerAnzg)
            line.replace(kBel, "<BEL>");
    }
    if (!endName.isEmpty())
        line += Cp1252::encode(endName);
    if (m_state.debugMode && m_listener) {
        QString codes;
        for (int i = 0; i < qMin<qsizetype>(3, m_buffer.size()); ++i)
            codes += QString::number(static_cast<unsigned char>(m_buffer[i])) + QLatin1Char(' ');
        m_listener->debugCaption(QStringLiteral("Pos.End.: ") + QString::number(mark.position + 1)
                                 + QStringLiteral("   Rest Puffer: ") + Cp1252::decode(m_buffer.left(kDebugShown))
                                 + QStringLiteral(" ASCI: ") + codes.trimmed());
    }
    deliver(line, false);
    if (mark.code == kEtx && m_state.connectionActive)
        m_line.RS232_Protokoll(1, 6);
    return true;
}

QByteArray ReceivePipeline::convert(QByteArray line) const
{
    const KundeSettings& s = m_state.settings;
    if (s.konvert) {
        if (s.ansiOem)
            line = Cp850::ansiToOem(line);
        else if (s.oemAnsi)
            line = Cp850::oemToAnsi(line);
    }
    // Upper case first, then lower case: with both options set the line ends in lower case.
    if (s.allesGr)
        line = Cp1252::encode(Cp1252::decode(line).toUpper());
    if (s.allesKl)
        line = Cp1252::encode(Cp1252::decode(line).toLower());
    return line;
}

void ReceivePipeline::deliver(const QByteArray& line, bool immediate)
{
    if (m_listener)
        m_listener->lineReceived(convert(line), m_buffer, immediate);
}

} // namespace tarvex
