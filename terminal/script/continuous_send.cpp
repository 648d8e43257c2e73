#include "terminal/script/continuous_send.h"

#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/number_text.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"
#include "terminal/core/terminal_context.h"
#include "terminal/serial/serial_line.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tarvex {

namespace {

// The pause is waited in slices so that Abbrechen is seen while it runs.
constexpr int kPauseSliceMs = 50;
// A file is read in blocks of this size: only the current line is held in memory.
constexpr qint64 kReadBlock = 64 * 1024;

} // namespace

ContinuousSend::ContinuousSend(TerminalContext& context, SerialLine& line)
    : m_ctx(context), m_line(line)
{
}

QString ContinuousSend::pauseText(const QString& pause)
{
    if (pause.isEmpty())
        return QStringLiteral("=");
    // Seconds with the German decimal comma: "= 0,25 Sekunde(n)".
    QString seconds = QString::number(leadingNumber(pause) / 1000.0, 'g', 15);
    seconds.replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("= ") + seconds + QStringLiteral(" Sekunde(n)");
}

bool ContinuousSend::stopRequested(End* why) const
{
    const TerminalState& st = m_ctx.state;
    if (m_cancel)
        *why = End::Cancelled;
    else if (st.endRequest)
        *why = End::ProgramEnd;
    else if (!st.connectionActive)
        *why = End::ConnectionClosed;
    else
        return false;
    return true;
}

ContinuousSend::End ContinuousSend::run(const Job& job)
{
    m_running = true;
    m_cancel = false;
    End end = End::Finished;
    const bool ok = guarded(m_ctx.errors, "DauertestSenden", job.count, job.data, [&] {
        for (qint64 counter = 1;; ++counter) {
            // Window events first: Abbrechen, the window's close, received data.
            m_ctx.clock.wait(0);
            if (stopRequested(&end))
                break;
            if (counterChanged)
                counterChanged(counter);
            end = repeat(job);
            if (end != End::Finished || stopRequested(&end))
                break;
            // Nothing follows the last repetition of a counted run: no pause to wait for.
            if (job.count > 0 && counter >= job.count)
                break;
            pause(job.pauseMs);
        }
    });
    if (!ok) {
        end = End::Failed;
        m_ctx.view.setBusyCursor(false);
    }
    if (counterChanged)
        counterChanged(0);
    m_running = false;
    return end;
}

ContinuousSend::End ContinuousSend::repeat(const Job& job)
{
    switch (job.source) {
    case Source::TextBlock:
        m_ctx.view.setBusyCursor(true);
        m_line.RS232_Protokoll(2, 0, job.data);
        m_ctx.view.setBusyCursor(false);
        break;
    case Source::FileLines:
        m_ctx.view.setBusyCursor(true);
        sendFileLines(job.data);
        m_ctx.view.setBusyCursor(false);
        break;
    case Source::Script:
        // The interpreter shows its own cursor and asks its own question.
        switch (runScript ? runScript(job.data) : ScriptStart::Missing) {
        case ScriptStart::Ran:
            break;
        case ScriptStart::Busy:
            return End::ScriptBusy;
        case ScriptStart::Missing:
            return End::ScriptMissing;
        }
        break;
    }
    return End::Finished;
}

void ContinuousSend::sendFileLines(const QString& file)
{
    // Read anew for every repetition, so a file that is written meanwhile is sent as it
    // is now; only the line being sent is held, so a file of any size can be sent.
    const QString path = AppFolders::findCaseInsensitive(file);
    if (!QFileInfo(path).isFile())
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(TextFile::errorCodeOf(f), file);
    End why = End::Finished;
    QByteArray line;
    bool stopped = false;
    auto sendLine = [&] {
        m_line.RS232_Protokoll(2, 0, Cp1252::decode(line));
        line.clear();
        // The window, the receive poll and Abbrechen keep working through a long file.
        m_ctx.clock.wait(0);
        stopped = stopRequested(&why);
    };
    // Lines end with CR LF, LF or CR; a line end at the very end starts no further line.
    bool afterCr = false;
    while (!stopped) {
        const QByteArray block = f.read(kReadBlock);
        if (block.isEmpty()) {
            if (f.error() != QFileDevice::NoError)
                throw RuntimeError(TextFile::errorCodeOf(f), file);
            break;
        }
        const char* p = block.constData();
        const char* const end = p + block.size();
        while (p < end && !stopped) {
            if (afterCr && *p == '\n') {
                afterCr = false;
                ++p;
                continue;
            }
            const char* lineEnd = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
            line.append(p, lineEnd - p);
            afterCr = false;
            if (lineEnd == end) {
                p = end;
                break;
            }
            afterCr = *lineEnd == '\r';
            p = lineEnd + 1;
            sendLine();
        }
    }
    if (!stopped && !line.isEmpty())
        sendLine();
}

void ContinuousSend::pause(int ms)
{
    const qint64 start = m_ctx.clock.monotonicMs();
    End why = End::Finished;
    while (!stopRequested(&why)) {
        const qint64 passed = m_ctx.clock.monotonicMs() - start;
        if (passed >= ms)
            break;
        m_ctx.clock.wait(int(std::min<qint64>(kPauseSliceMs, ms - passed)));
    }
}

} // namespace tarvex
