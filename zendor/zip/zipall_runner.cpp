#include "zendor/zip/zipall_runner.h"

#include "zendor/zendor_context.h"
#include "zendor/zip/zip_instruction_file.h"

#include <QFile>
#include <QFileInfo>

namespace zendor {

namespace {

QString executableName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("zipall.exe");
#else
    return QStringLiteral("zipall");
#endif
}

} // namespace

QString ZipallRunner::zipallPath() const
{
    const QString inProgramDir = m_ctx.programDir() + QLatin1Char('/') + executableName();
    if (QFileInfo(inProgramDir).isFile() || m_ctx.executableDir().isEmpty())
        return inProgramDir;
    const QString besideExe = m_ctx.executableDir() + QLatin1Char('/') + executableName();
    return QFileInfo(besideExe).isFile() ? besideExe : inProgramDir;
}

bool ZipallRunner::start(const QString& instructionPath, bool withMarker) const
{
    const QString marker = ZipInstructionFile::markerOf(instructionPath);
    if (withMarker) {
        QFile m(marker);
        if (m.open(QIODevice::WriteOnly))
            m.close();
    }
    const bool started = m_ctx.shell().startProgram(zipallPath(), {instructionPath});
    if (!started && withMarker)
        QFile::remove(marker);
    return started;
}

bool ZipallRunner::waitUntilRead(const QString& instructionPath) const
{
    const QString marker = ZipInstructionFile::markerOf(instructionPath);
    const qint64 start = m_ctx.clock().monotonicMs();
    while (QFileInfo::exists(marker) && m_ctx.clock().monotonicMs() - start < kReadTimeoutMs)
        m_ctx.clock().wait(50);
    const bool confirmed = !QFileInfo::exists(marker);
    QFile::remove(marker);
    return confirmed;
}

} // namespace zendor
