#pragma once

#include "terminal/connections/binary_transfer.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tarvex {

struct TerminalContext;

// The transfer window frm20 (BinaerDatei): the send list with its buttons, the target
// folder, a progress bar and a status label for each side, the busy indicator while a file
// is read or written, "Starten" and the close button ("&Abbrechen" while a transfer runs).
// "Starten" receives with an empty send list and sends the list otherwise. A send runs
// inside the click and keeps the window responsive while it waits.
class BinaryTransferWindow : public QDialog, public TransferView
{
    Q_OBJECT
public:
    BinaryTransferWindow(TerminalContext& context, BinaryTransfer& transfer, QWidget* parent = nullptr);

    void frm20_cmdStarten_Click();
    void frm20_cmdBeenden_Click();
    void frm20_cmdQuelle_Click();
    void frm20_cmdLoeschen_Click();
    void frm20_cmdZiel_Click();
    void frm20_cmdExplorer_Click();

    // The send list as entries ("path (size)"); a path that is no file is left out.
    void addSource(const QString& path);
    QStringList entries() const;
    void setTargetFolder(const QString& folder);
    QString targetFolder() const;
    // Enables what fits the connection and the transfer.
    void updateState();

    // TransferView
    void setReceiveStatus(const QString& text) override;
    void setSendStatus(const QString& text) override;
    void setReceiveProgress(qint64 value, qint64 maximum) override;
    void setSendProgress(qint64 value, qint64 maximum) override;
    void setBusy(bool busy) override;
    void setRunning(bool running) override;

protected:
    void done(int result) override;

private:
    TerminalContext& m_ctx;
    BinaryTransfer& m_transfer;
    QListWidget* m_sources = nullptr;
    QLineEdit* m_target = nullptr;
    QProgressBar* m_sendProgress = nullptr;
    QProgressBar* m_receiveProgress = nullptr;
    QProgressBar* m_busy = nullptr;
    QLabel* m_receiveStatus = nullptr;
    QLabel* m_sendStatus = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_chooseTarget = nullptr;
    QPushButton* m_explorer = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace tarvex
