#include "terminal/connections/ui/binary_window.h"

#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/help_keywords.h"
#include "shared/ui/widget_helpers.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

namespace tarvex {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    return b;
}

// A progress bar counts in int: large files are shown in coarser steps.
void showProgress(QProgressBar* bar, qint64 value, qint64 maximum)
{
    if (maximum <= 0) {
        bar->setRange(0, 1);
        bar->setValue(0);
        return;
    }
    int shift = 0;
    while ((maximum >> shift) > INT_MAX)
        ++shift;
    bar->setRange(0, int(maximum >> shift));
    bar->setValue(int(qBound<qint64>(0, value, maximum) >> shift));
}

} // namespace

BinaryTransferWindow::BinaryTransferWindow(TerminalContext& context, BinaryTransfer& transfer, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_transfer(transfer)
{
    setObjectName(QStringLiteral("frm20"));
    setWindowTitle(QStringLiteral("Binärdateien übertragen"));
    setModal(false);

    auto* sendBox = new QGroupBox(QStringLiteral("Senden"), this);
    m_sources = new QListWidget(sendBox);
    m_sources->setObjectName(QStringLiteral("frm20_lbQuelle"));
    m_add = button(QStringLiteral("&Hinzufügen..."), "frm20_cmdQuelle", sendBox);
    m_remove = button(QStringLiteral("&Entfernen"), "frm20_cmdLoeschen", sendBox);
    m_sendProgress = new QProgressBar(sendBox);
    m_sendProgress->setObjectName(QStringLiteral("frm20_proQuelle"));
    m_sendStatus = new QLabel(sendBox);
    m_sendStatus->setObjectName(QStringLiteral("frm20_lbl15"));
    auto* sendButtons = new QVBoxLayout;
    sendButtons->addWidget(m_add);
    sendButtons->addWidget(m_remove);
    sendButtons->addStretch(1);
    auto* sendLayout = new QGridLayout(sendBox);
    sendLayout->addWidget(m_sources, 0, 0);
    sendLayout->addLayout(sendButtons, 0, 1);
    sendLayout->addWidget(m_sendProgress, 1, 0, 1, 2);
    sendLayout->addWidget(m_sendStatus, 2, 0, 1, 2);

    auto* receiveBox = new QGroupBox(QStringLiteral("Empfangen"), this);
    m_target = new QLineEdit(receiveBox);
    m_target->setObjectName(QStringLiteral("frm20_edZiel"));
    m_chooseTarget = button(QStringLiteral("&Ordner..."), "frm20_cmdZiel", receiveBox);
    m_explorer = button(QStringLiteral("E&xplorer"), "frm20_cmdExplorer", receiveBox);
    m_receiveProgress = new QProgressBar(receiveBox);
    m_receiveProgress->setObjectName(QStringLiteral("frm20_proZiel"));
    m_receiveStatus = new QLabel(receiveBox);
    m_receiveStatus->setObjectName(QStringLiteral("frm20_lbl5"));
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(new QLabel(QStringLiteral("Zielordner:"), receiveBox));
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(m_chooseTarget);
    targetRow->addWidget(m_explorer);
    auto* receiveLayout = new QVBoxLayout(receiveBox);
    receiveLayout->addLayout(targetRow);
    receiveLayout->addWidget(m_receiveProgress);
    receiveLayout->addWidget(m_receiveStatus);

    // Runs (an endless bar) while a file is read or written.
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(QStringLiteral("frm20_aniDatenzugriff"));
    m_busy->setTextVisible(false);
    m_busy->setMaximumWidth(120);
    m_start = button(QStringLiteral("&Starten"), "frm20_cmdStarten", this);
    m_close = button(QStringLiteral("&Beenden"), "frm20_cmdBeenden", this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_busy);
    bottom->addStretch(1);
    bottom->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm20"), [this] { m_ctx.help.open(HelpKeyword::Binaertransfer); }));
    bottom->addWidget(m_start);
    bottom->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sendBox, 1);
    layout->addWidget(receiveBox);
    layout->addLayout(bottom);
    resize(560, 420);

    setBusy(false);
    showProgress(m_sendProgress, 0, 0);
    showProgress(m_receiveProgress, 0, 0);

    connect(m_start, &QPushButton::clicked, this, &BinaryTransferWindow::frm20_cmdStarten_Click);
    connect(m_close, &QPushButton::clicked, this, &BinaryTransferWindow::frm20_cmdBeenden_Click);
    connect(m_add, &QPushButton::clicked, this, &BinaryTransferWindow::frm20_cmdQuelle_Click);
    connect(m_remove, &QPushButton::clicked, this, &BinaryTransferWindow::frm20_cmdLoeschen_Click);
    connect(m_chooseTarget, &QPushButton::clicked, this, &BinaryTransferWindow::frm20_cmdZiel_Click);
    connect(m_explorer, &QPushButton::clicked, this, &BinaryTransferWindow::frm20_cmdExplorer_Click);
    connect(m_sources, &QListWidget::currentRowChanged, this, &BinaryTransferWindow::updateState);
    updateState();
}

void BinaryTransferWindow::updateState()
{
    const bool running = m_transfer.active();
    m_start->setEnabled(!running && m_ctx.state.connectionActive);
    m_add->setEnabled(!running);
    m_remove->setEnabled(!running && m_sources->currentRow() >= 0);
    m_chooseTarget->setEnabled(!running);
    m_target->setReadOnly(running);
    m_close->setText(running ? QStringLiteral("&Abbrechen") : QStringLiteral("&Beenden"));
}

void BinaryTransferWindow::frm20_cmdStarten_Click()
{
    guarded(m_ctx.errors, "BinaerDatei", 0, targetFolder(), [&] {
        if (m_sources->count() == 0)
            m_transfer.startReceiving(targetFolder());
        else
            m_transfer.send(entries());
    });
    updateState();
}

// Closes the window; during a transfer it asks first and ends the transfer.
void BinaryTransferWindow::frm20_cmdBeenden_Click()
{
    reject();
}

void BinaryTransferWindow::done(int result)
{
    if (m_transfer.active()) {
        if (!m_ctx.prompter.ask(QStringLiteral("Wollen Sie den Transfer von Binärdateien beenden?")))
            return;
        m_transfer.cancel();
    }
    QDialog::done(result);
}

void BinaryTransferWindow::frm20_cmdQuelle_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = QStringLiteral("Bitte Datei auswählen:");
    request.filter = QStringLiteral("Alle Dateien|*.*");
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (chosen.isEmpty())
        return;
    const QString path = chosen.first();
    for (const QString& entry : entries()) {
        if (binary::entryPath(entry) == path) {
            m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"), QStringLiteral("Datei bereits ausgewählt.\r\r"),
                                   BoxButtons::Ok, BoxIcon::Exclamation);
            return;
        }
    }
    addSource(path);
}

void BinaryTransferWindow::frm20_cmdLoeschen_Click()
{
    const int row = m_sources->currentRow();
    if (row < 0)
        return;
    if (m_ctx.prompter.ask(QStringLiteral("Soll der Eintrag aus der Sendeliste entfernt werden?")))
        delete m_sources->takeItem(row);
    updateState();
}

void BinaryTransferWindow::frm20_cmdZiel_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = QStringLiteral("Bitte wählen Sie einen Ordner aus:");
    request.startDir = targetFolder();
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (!chosen.isEmpty())
        setTargetFolder(chosen.first());
}

void BinaryTransferWindow::frm20_cmdExplorer_Click()
{
    m_ctx.shell.openFolder(targetFolder());
}

void BinaryTransferWindow::addSource(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    m_sources->addItem(binary::sendEntry(info.absoluteFilePath(), info.size()));
    updateState();
}

QStringList BinaryTransferWindow::entries() const
{
    QStringList list;
    for (int i = 0; i < m_sources->count(); ++i)
        list << m_sources->item(i)->text();
    return list;
}

void BinaryTransferWindow::setTargetFolder(const QString& folder)
{
    m_target->setText(folder);
}

QString BinaryTransferWindow::targetFolder() const
{
    return m_target->text().trimmed();
}

void BinaryTransferWindow::setReceiveStatus(const QString& text)
{
    m_receiveStatus->setText(text);
}

void BinaryTransferWindow::setSendStatus(const QString& text)
{
    m_sendStatus->setText(text);
}

void BinaryTransferWindow::setReceiveProgress(qint64 value, qint64 maximum)
{
    showProgress(m_receiveProgress, value, maximum);
}

void BinaryTransferWindow::setSendProgress(qint64 value, qint64 maximum)
{
    showProgress(m_sendProgress, value, maximum);
}

void BinaryTransferWindow::setBusy(bool busy)
{
    m_busy->setRange(0, busy ? 0 : 1);
    m_busy->setValue(0);
}

void BinaryTransferWindow::setRunning(bool)
{
    updateState();
}

} // namespace tarvex
