#pragma once

#include "terminal/connections/binary_protocol.h"
#include "terminal/core/data_bus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class Clock;
class Prompter;
class QSaveFile;
class Shell;

namespace tarvex {

class ErrorReport;
class SerialLine;
class TerminalState;

// The line a transfer talks over: bytes out as they are, and the serial poll that a
// sender holds while it writes its files.
class TransferLine
{
public:
    virtual ~TransferLine() = default;
    virtual bool isOpen() const = 0;
    // Writes the bytes unbuffered and without line end; false when they could not be
    // written (already reported).
    virtual bool write(const QByteArray& bytes) = 0;
    virtual void pausePolling() = 0;
    virtual void resumePolling() = 0;
};

// The serial connection as a transfer line: writes through SerialLine, pauses
// frm1_tmrSeriell and lets it run again only while the connection is open.
class SerialTransferLine : public TransferLine
{
public:
    SerialTransferLine(TerminalState& state, SerialLine& line) : m_state(state), m_line(line) {}
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    void pausePolling() override;
    void resumePolling() override;

private:
    TerminalState& m_state;
    SerialLine& m_line;
};

// What the transfer window shows.
class TransferView
{
public:
    virtual ~TransferView() = default;
    virtual void setReceiveStatus(const QString& text) = 0; // frm20_lbl5
    virtual void setSendStatus(const QString& text) = 0;    // frm20_lbl15
    virtual void setReceiveProgress(qint64 value, qint64 maximum) = 0;
    virtual void setSendProgress(qint64 value, qint64 maximum) = 0;
    virtual void setBusy(bool busy) = 0;                    // a file is being read or written
    virtual void setRunning(bool running) = 0;              // a transfer runs (the close button cancels)
};

// BinaerTransfer: one side of a file transfer between two terminals. A receiver answers
// polls, writes each file into a temporary file of the target folder and gives it its name
// at the file's end marker; a sender polls until the receiver is ready and sends its list.
// While a transfer runs it takes every received byte from the bus.
class BinaryTransfer
{
public:
    enum class Role { Idle, Receiving, Polling, Sending };

    BinaryTransfer(TerminalState& state, DataBus& bus, TransferLine& line, Clock& clock, Prompter& prompter,
                   Shell& shell, ErrorReport& errors);
    ~BinaryTransfer();
    BinaryTransfer(const BinaryTransfer&) = delete;
    BinaryTransfer& operator=(const BinaryTransfer&) = delete;

    void setView(TransferView* view) { m_view = view; }

    Role role() const { return m_role; }
    bool active() const { return m_role != Role::Idle; }

    // Asks, then waits for a sender, writing received files into the folder. False when the
    // operator said no, the line is closed or the folder does not exist (said so).
    bool startReceiving(const QString& targetFolder);

    // Asks, then polls until the receiver answers and sends every entry of the list;
    // returns when all were sent or the transfer ended otherwise (true: all sent).
    bool send(const QStringList& entries);

    // Ends a running transfer: the bytes go back to the line pipeline, a file being received
    // is dropped (its temporary file removed), a send stops after its current block.
    void cancel(const QString& status = QString());

    // Files skipped by the receiver in the current or last transfer.
    int skippedFiles() const { return m_skipped; }

private:
    void take(const QByteArray& bytes);
    void processReceived();
    bool awaitHeader();
    bool continueFile();
    void beginFile(const QByteArray& header, bool escaped);
    void writeData(const QByteArray& raw);
    void endFile();
    void dropFile();
    void finishReceiving();

    bool waitForReady();
    bool sendFile(const QString& entry, int index, bool last);
    bool write(const QByteArray& bytes);
    bool stopRequested() const;
    void endSending(const QString& status);
    void leaveTransferMode();

    void receiveStatus(const QString& text);
    void sendStatus(const QString& text);

    TerminalState& m_state;
    DataBus& m_bus;
    TransferLine& m_line;
    Clock& m_clock;
    Prompter& m_prompter;
    Shell& m_shell;
    ErrorReport& m_errors;
    TransferView* m_view = nullptr;

    Role m_role = Role::Idle;
    Subscription m_taken;
    QByteArray m_buffer;
    bool m_cancelRequested = false;
    QString m_cancelStatus;
    int m_skipped = 0;

    // Receiver.
    QString m_folder;
    bool m_inFile = false;
    bool m_fileEscaped = false;
    std::unique_ptr<QSaveFile> m_file; // null while a refused file is read and dropped
    QString m_fileName;
    qint64 m_written = 0;
    qint64 m_announced = 0;
    binary::EscapeDecoder m_decoder;

    // Sender.
    bool m_escape = false;
};

} // namespace tarvex
