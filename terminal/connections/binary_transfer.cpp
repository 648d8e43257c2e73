#include "terminal/connections/binary_transfer.h"

#include "shared/cp1252.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "shared/runtime_error.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"
#include "terminal/serial/serial_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarvex {

using namespace binary;

namespace {

constexpr int kPauseMs = 1000;
constexpr int kBlockSize = 1000;
// A header start whose end does not follow within this many bytes was not a header.
constexpr qsizetype kMaxHeader = 8192;

struct Found
{
    qsizetype at = -1;
    const QByteArray* marker = nullptr;
};

// The marker of the list that starts first in the buffer.
Found firstMarker(const QByteArray& buffer, std::initializer_list<const QByteArray*> markers)
{
    Found found;
    for (const QByteArray* m : markers) {
        const qsizetype p = buffer.indexOf(*m);
        if (p >= 0 && (found.at < 0 || p < found.at))
            found = {p, m};
    }
    return found;
}

} // namespace

bool SerialTransferLine::isOpen() const
{
    return m_state.connectionActive;
}

bool SerialTransferLine::write(const QByteArray& bytes)
{
    return m_line.writeBytes(bytes);
}

void SerialTransferLine::pausePolling()
{
    m_state.tmrSeriell.stop();
}

void SerialTransferLine::resumePolling()
{
    if (m_state.connectionActive)
        m_state.tmrSeriell.start();
}

BinaryTransfer::BinaryTransfer(TerminalState& state, DataBus& bus, TransferLine& line, Clock& clock,
                               Prompter& prompter, Shell& shell, ErrorReport& errors)
    : m_state(state), m_bus(bus), m_line(line), m_clock(clock), m_prompter(prompter), m_shell(shell), m_errors(errors)
{
}

BinaryTransfer::~BinaryTransfer() = default;

void BinaryTransfer::receiveStatus(const QString& text)
{
    if (m_view)
        m_view->setReceiveStatus(text);
}

void BinaryTransfer::sendStatus(const QString& text)
{
    if (m_view)
        m_view->setSendStatus(text);
}

void BinaryTransfer::leaveTransferMode()
{
    m_taken.reset();
    m_buffer.clear();
    m_role = Role::Idle;
    if (m_view) {
        m_view->setBusy(false);
        m_view->setRunning(false);
    }
}

void BinaryTransfer::take(const QByteArray& bytes)
{
    // A sender listens only for the ready answer; what comes while it sends is dropped.
    if (m_role == Role::Sending)
        return;
    m_buffer.append(bytes);
    if (m_role == Role::Receiving)
        processReceived();
}

void BinaryTransfer::cancel(const QString& status)
{
    const QString text = status.isEmpty() ? QStringLiteral("Transfer abgebrochen.") : status;
    if (m_role == Role::Receiving) {
        dropFile();
        leaveTransferMode();
        receiveStatus(text);
    } else if (m_role != Role::Idle) {
        m_cancelRequested = true;
        m_cancelStatus = text;
    }
}

// ---- receiver -------------------------------------------------------------------------

bool BinaryTransfer::startReceiving(const QString& targetFolder)
{
    if (active() || !m_line.isOpen())
        return false;
    if (targetFolder.trimmed().isEmpty() || !QFileInfo(targetFolder).isDir()) {
        m_prompter.message(QStringLiteral("Sicherheitshinweis"),
                           QStringLiteral("Der Zielordner\r\r") + targetFolder + QStringLiteral("\r\rexistiert nicht."),
                           BoxButtons::Ok, BoxIcon::Exclamation);
        return false;
    }
    if (!m_prompter.ask(QStringLiteral("Wollen Sie die Empfangsbereitschaft beginnen?")))
        return false;
    m_folder = targetFolder;
    m_buffer.clear();
    m_inFile = false;
    m_skipped = 0;
    m_role = Role::Receiving;
    m_taken = m_bus.takeRaw([this](const QByteArray& bytes) { take(bytes); });
    receiveStatus(QStringLiteral("Warte auf Sendebeginn von Gegenseite..."));
    if (m_view)
        m_view->setRunning(true);
    return true;
}

void BinaryTransfer::processReceived()
{
    while (m_role == Role::Receiving && (m_inFile ? continueFile() : awaitHeader())) {
    }
}

// Between files: answers polls, starts a file at a complete header, ends at the transfer
// end. Returns whether there is more to do in the buffer.
bool BinaryTransfer::awaitHeader()
{
    const Found f = firstMarker(m_buffer, {&kPoll, &kHeaderStart, &kHeaderStartEscaped, &kTransferEnd});
    if (f.at < 0) {
        // Nothing but line noise: keep only what may be the start of a marker.
        if (m_buffer.size() > kHoldBack)
            m_buffer.remove(0, m_buffer.size() - kHoldBack);
        return false;
    }
    if (f.marker == &kPoll) {
        m_buffer.remove(0, f.at + kPoll.size());
        // The offer rides in the same write: a sender that does not know it takes the ready
        // answer and drops the rest of what it read.
        write(kReady + kEscapeOffer);
        return true;
    }
    if (f.marker == &kTransferEnd) {
        finishReceiving();
        return false;
    }
    const qsizetype textStart = f.at + f.marker->size();
    const qsizetype end = m_buffer.indexOf(kHeaderEnd, textStart);
    if (end < 0) {
        // Wait for the rest of the header; a start without an end in reach was none.
        const bool noHeader = m_buffer.size() - textStart > kMaxHeader;
        m_buffer.remove(0, noHeader ? textStart : f.at);
        return noHeader;
    }
    const QByteArray header = m_buffer.mid(textStart, end - textStart);
    // A header start inside the header: the first one was noise, the header begins there.
    const Found again = firstMarker(header, {&kHeaderStart, &kHeaderStartEscaped});
    if (again.at >= 0) {
        m_buffer.remove(0, textStart + again.at);
        return true;
    }
    m_buffer.remove(0, end + kHeaderEnd.size());
    beginFile(header, f.marker == &kHeaderStartEscaped);
    return true;
}

// Inside a file: writes the data, holding back what may be the start of a marker; at the
// file end the file takes its name. Escaped data holds no marker, so there any marker ends
// the file; plain data can only be ended by the file end.
bool BinaryTransfer::continueFile()
{
    const Found f = m_fileEscaped
        ? firstMarker(m_buffer, {&kFileEnd, &kPoll, &kHeaderStart, &kHeaderStartEscaped, &kTransferEnd})
        : firstMarker(m_buffer, {&kFileEnd});
    if (f.at < 0) {
        if (m_buffer.size() > kHoldBack) {
            writeData(m_buffer.left(m_buffer.size() - kHoldBack));
            m_buffer.remove(0, m_buffer.size() - kHoldBack);
        }
        return false;
    }
    writeData(m_buffer.left(f.at));
    if (f.marker == &kFileEnd) {
        m_buffer.remove(0, f.at + kFileEnd.size());
        endFile();
    } else {
        // The sender started over: the file it left is incomplete.
        m_buffer.remove(0, f.at);
        receiveStatus(QStringLiteral("Datei unvollständig, verworfen: ") + m_fileName);
        ++m_skipped;
        dropFile();
    }
    return true;
}

void BinaryTransfer::beginFile(const QByteArray& headerBytes, bool escaped)
{
    const QByteArray plain = escaped ? EscapeDecoder().decode(headerBytes) : headerBytes;
    const Header header = parseHeader(Cp1252::decode(plain));
    m_inFile = true;
    m_fileEscaped = escaped;
    m_decoder = EscapeDecoder();
    m_written = 0;
    m_announced = header.size;
    m_fileName = header.name;
    if (!header.refusal.isEmpty()) {
        ++m_skipped;
        receiveStatus(QStringLiteral("Datei übersprungen (") + header.refusal + QStringLiteral("): ")
                      + header.sentPath);
        return;
    }
    receiveStatus(QStringLiteral("Empfange: ") + header.name);
    if (m_view) {
        m_view->setReceiveProgress(0, m_announced);
        m_view->setBusy(true);
    }
    // The data goes into a temporary file beside the target; only a complete file takes
    // the name (replacing a file of that name).
    auto file = std::make_unique<QSaveFile>(QDir(m_folder).filePath(header.name));
    file->setDirectWriteFallback(false);
    if (!file->open(QIODevice::WriteOnly)) {
        ++m_skipped;
        m_errors.FehlerMeldung(ErrorCode::PathFileAccess, QStringLiteral("BinaerTransfer"), QStringLiteral("1"),
                               file->fileName() + QLatin1Char('/') + file->errorString());
        receiveStatus(QStringLiteral("Datei übersprungen (nicht schreibbar): ") + header.name);
        if (m_view)
            m_view->setBusy(false);
        return;
    }
    m_file = std::move(file);
}

void BinaryTransfer::writeData(const QByteArray& raw)
{
    if (raw.isEmpty())
        return;
    const QByteArray data = m_fileEscaped ? m_decoder.decode(raw) : raw;
    m_written += data.size();
    if (!m_file)
        return;
    if (m_file->write(data) != data.size()) {
        ++m_skipped;
        m_errors.FehlerMeldung(ErrorCode::DiskFull, QStringLiteral("BinaerTransfer"), QStringLiteral("1"),
                               m_file->fileName() + QLatin1Char('/') + m_file->errorString());
        receiveStatus(QStringLiteral("Datei übersprungen (nicht schreibbar): ") + m_fileName);
        dropFile();
        m_inFile = true; // the rest of its data is still read and dropped
        return;
    }
    if (m_view)
        m_view->setReceiveProgress(qMin(m_written, m_announced), m_announced);
}

void BinaryTransfer::endFile()
{
    m_inFile = false;
    if (!m_file)
        return;
    std::unique_ptr<QSaveFile> file = std::move(m_file);
    if (!file->commit()) {
        ++m_skipped;
        m_errors.FehlerMeldung(ErrorCode::PathFileAccess, QStringLiteral("BinaerTransfer"), QStringLiteral("1"),
                               file->fileName() + QLatin1Char('/') + file->errorString());
        receiveStatus(QStringLiteral("Datei übersprungen (nicht schreibbar): ") + m_fileName);
    }
    if (m_view) {
        m_view->setBusy(false);
        const qint64 full = qMax<qint64>(m_announced, 1);
        m_view->setReceiveProgress(full, full);
    }
}

// Removes the temporary file of an incomplete file.
void BinaryTransfer::dropFile()
{
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
    m_inFile = false;
    if (m_view)
        m_view->setBusy(false);
}

void BinaryTransfer::finishReceiving()
{
    if (m_inFile) {
        ++m_skipped;
        receiveStatus(QStringLiteral("Datei unvollständig, verworfen: ") + m_fileName);
        dropFile();
    }
    const QString folder = m_folder;
    leaveTransferMode();
    receiveStatus(m_skipped == 0 ? QStringLiteral("Transfer wurde beendet. Alle Dateien empfangen.")
                                 : QStringLiteral("Transfer wurde beendet. ") + QString::number(m_skipped)
                                       + QStringLiteral(" Datei(en) nicht empfangen."));
    m_shell.openFolder(folder);
}

// ---- sender ---------------------------------------------------------------------------

bool BinaryTransfer::write(const QByteArray& bytes)
{
    return m_line.isOpen() && m_line.write(bytes);
}

bool BinaryTransfer::stopRequested() const
{
    return m_cancelRequested || m_state.endRequest || !m_line.isOpen();
}

bool BinaryTransfer::send(const QStringList& entries)
{
    if (active() || entries.isEmpty() || !m_line.isOpen())
        return false;
    qint64 total = 0;
    for (const QString& entry : entries)
        total += qMax<qint64>(QFileInfo(entryPath(entry)).size(), 0);
    if (!m_prompter.ask(QStringLiteral("Binärdateien\t: ") + QString::number(entries.size())
                        + QStringLiteral("\rGesamtgrösse\t: ") + kiloText(total)
                        + QStringLiteral(" KBytes\r\rWollen Sie den Transfer starten?")))
        return false;
    m_buffer.clear();
    m_cancelRequested = false;
    m_cancelStatus.clear();
    m_skipped = 0;
    m_role = Role::Polling;
    m_taken = m_bus.takeRaw([this](const QByteArray& bytes) { take(bytes); });
    sendStatus(QStringLiteral("Sendeanforderung an Gegenstation. Warte auf Antwort..."));
    if (m_view)
        m_view->setRunning(true);
    if (!waitForReady()) {
        endSending(m_cancelStatus.isEmpty() ? QStringLiteral("Transfer abgebrochen.") : m_cancelStatus);
        return false;
    }
    m_buffer.clear();
    m_role = Role::Sending;
    // The files go out in one run: the serial poll rests meanwhile.
    m_line.pausePolling();
    bool complete = true;
    for (int i = 0; i < entries.size() && complete; ++i)
        complete = sendFile(entries.at(i), i, i == entries.size() - 1);
    if (complete && write(kTransferEnd)) {
        m_line.resumePolling();
        endSending(m_skipped == 0 ? QStringLiteral("Transfer beendet. Alle Dateien gesendet.")
                                  : QStringLiteral("Transfer beendet. ") + QString::number(m_skipped)
                                        + QStringLiteral(" Datei(en) nicht gesendet."));
        return m_skipped == 0;
    }
    m_line.resumePolling();
    endSending(m_cancelStatus.isEmpty() ? QStringLiteral("Transfer abgebrochen.") : m_cancelStatus);
    return false;
}

// Polls on every odd second until the ready answer is there; notes whether the receiver
// offered escaped data right behind it.
bool BinaryTransfer::waitForReady()
{
    bool waitedForOffer = false;
    for (;;) {
        if (stopRequested())
            return false;
        const qsizetype ready = m_buffer.indexOf(kReady);
        if (ready >= 0) {
            const QByteArray behind = m_buffer.mid(ready + kReady.size(), kEscapeOffer.size());
            // The offer travels in the same write; should it be cut off, give it one pause.
            if (behind.size() < kEscapeOffer.size() && kEscapeOffer.startsWith(behind) && !waitedForOffer) {
                waitedForOffer = true;
                m_clock.wait(kPauseMs);
                continue;
            }
            m_escape = behind == kEscapeOffer;
            return true;
        }
        if (m_clock.now().time().second() % 2 == 1 && !write(kPoll))
            return false;
        m_clock.wait(kPauseMs);
    }
}

bool BinaryTransfer::sendFile(const QString& entry, int index, bool last)
{
    sendStatus(entry + QStringLiteral("..."));
    const QString path = entryPath(entry);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Reported before anything of it went out: the receiver sees the next file.
        ++m_skipped;
        m_errors.FehlerMeldung(ErrorCode::FileNotFound, QStringLiteral("BinaerTransfer"), QString::number(index),
                               path);
        return !stopRequested();
    }
    const QByteArray text = Cp1252::encode(entry);
    if (!write((m_escape ? kHeaderStartEscaped + EscapeEncoder().encode(text) : kHeaderStart + text) + kHeaderEnd))
        return false;
    m_clock.wait(kPauseMs);
    const qint64 size = file.size();
    if (m_view) {
        m_view->setSendProgress(0, size);
        m_view->setBusy(true);
    }
    EscapeEncoder encoder;
    qint64 block = kBlockSize;
    qint64 position = -kBlockSize;
    while (!file.atEnd()) {
        if (stopRequested())
            return false;
        position += block;
        if (m_view)
            m_view->setSendProgress(position, size);
        file.seek(position);
        if (size - position < kBlockSize)
            block = size - position;
        const QByteArray data = file.read(block);
        if (data.size() != block) {
            m_errors.FehlerMeldung(ErrorCode::DeviceIo, QStringLiteral("BinaerTransfer"), QString::number(index),
                                   path + QLatin1Char('/') + file.errorString());
            return false;
        }
        if (!write(m_escape ? encoder.encode(data) : data))
            return false;
        m_clock.wait(0); // the window stays responsive, a cancel gets through
    }
    file.close();
    if (m_view) {
        m_view->setBusy(false);
        m_view->setSendProgress(qMax<qint64>(size, 1), qMax<qint64>(size, 1));
    }
    m_clock.wait(kPauseMs);
    if (stopRequested() || !write(kFileEnd))
        return false;
    m_clock.wait(kPauseMs);
    if (last)
        m_clock.wait(kPauseMs);
    return !stopRequested();
}

void BinaryTransfer::endSending(const QString& status)
{
    m_cancelRequested = false;
    leaveTransferMode();
    sendStatus(status);
}

} // namespace tarvex
