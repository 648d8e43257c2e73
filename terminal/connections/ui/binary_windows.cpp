#include "terminal/connections/ui/binary_windows.h"

#include "terminal/connections/ui/binary_window.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"
#include "terminal/serial/serial_module.h"

namespace tarvex {

BinaryWindows::BinaryWindows(TerminalContext& context, SerialModule& serial, QWidget* parent)
    : QObject(parent), m_ctx(context), m_parent(parent), m_line(context.state, serial.line()),
      m_transfer(context.state, context.bus, m_line, context.clock, context.prompter, context.shell, context.errors),
      m_target(context.state.folders.dataDir())
{
    // The function table outlives this object: the entries check that it still exists.
    const QPointer<BinaryWindows> self(this);
    m_ctx.functions.add(Fn::BinaerSenden, FunctionEntry{[self] {
                                                            if (self)
                                                                self->BinaerDatei(0);
                                                        },
                                                        QStringLiteral("Senden"),
                                                        QStringLiteral("Binärdateien an eine Gegenstation senden"),
                                                        {}, {}, {}});
    m_ctx.functions.add(Fn::BinaerEmpfangen, FunctionEntry{[self] {
                                                               if (self)
                                                                   self->BinaerDatei(1);
                                                           },
                                                           QStringLiteral("Empfangen"),
                                                           QStringLiteral("Binärdateien von einer Gegenstation empfangen"),
                                                           {}, {}, {}});
    serial.onConnectionControlled([self](bool open) {
        if (!self)
            return;
        if (!open)
            self->m_transfer.cancel(QStringLiteral("Verbindung getrennt. Transfer abgebrochen."));
        if (self->m_window)
            self->m_window->updateState();
    });
}

BinaryWindows::~BinaryWindows()
{
    m_transfer.setView(nullptr);
    delete m_window;
}

BinaryTransferWindow* BinaryWindows::window() const
{
    return m_window;
}

void BinaryWindows::preset(const QStringList& sources, const QString& targetFolder)
{
    m_sources = sources;
    if (!targetFolder.isEmpty())
        m_target = targetFolder;
}

BinaryTransferWindow& BinaryWindows::ensureWindow()
{
    if (!m_window) {
        m_window = new BinaryTransferWindow(m_ctx, m_transfer, m_parent);
        m_transfer.setView(m_window);
        m_window->setTargetFolder(m_target);
        for (const QString& path : std::as_const(m_sources))
            m_window->addSource(path);
    }
    m_window->updateState();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return *m_window;
}

void BinaryWindows::BinaerDatei(int mode)
{
    guarded(m_ctx.errors, "BinaerDatei", mode, QString(), [&] {
        BinaryTransferWindow& w = ensureWindow();
        if (m_transfer.active())
            return;
        if (mode == 0) {
            if (w.entries().isEmpty())
                w.frm20_cmdQuelle_Click();
            if (!w.entries().isEmpty())
                w.frm20_cmdStarten_Click();
        } else if (mode == 1) {
            if (!m_ctx.state.connectionActive)
                return;
            m_transfer.startReceiving(w.targetFolder());
            w.updateState();
        }
    });
}

} // namespace tarvex
