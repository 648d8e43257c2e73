#pragma once

#include "terminal/connections/binary_transfer.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace tarvex {

class BinaryTransferWindow;
class SerialModule;
struct TerminalContext;

// The binary file transfer behind functions 215 (send) and 216 (receive): owns the
// transfer, which lives as long as the program, and opens the window frm20, kept hidden
// between openings so the send list and the target folder stay. A connection that closes
// ends a running transfer.
class BinaryWindows : public QObject
{
    Q_OBJECT
public:
    BinaryWindows(TerminalContext& context, SerialModule& serial, QWidget* parent);
    ~BinaryWindows() override;

    // 0: opens the window to send (the file selection first when the send list is empty),
    // then starts the send; 1: opens the window and begins to receive.
    void BinaerDatei(int mode);

    // The files and the target folder the window starts with (the command line's).
    void preset(const QStringList& sources, const QString& targetFolder);

    BinaryTransferWindow* window() const;
    BinaryTransfer& transfer() { return m_transfer; }

private:
    BinaryTransferWindow& ensureWindow();

    TerminalContext& m_ctx;
    QWidget* m_parent;
    SerialTransferLine m_line;
    BinaryTransfer m_transfer;
    QPointer<BinaryTransferWindow> m_window;
    QStringList m_sources;
    QString m_target;
};

} // namespace tarvex
