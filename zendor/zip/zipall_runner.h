#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Starts the archiver with an instruction file and, when asked, waits until it has read
// the file: zendor puts a marker file beside the instruction file before the start and
// the archiver removes it as soon as it has read its instructions.
class ZipallRunner
{
public:
    static constexpr int kReadTimeoutMs = 15000;

    explicit ZipallRunner(const ZendorContext& ctx) : m_ctx(ctx) {}

    // The archiver in the program folder, else beside zendor's executable.
    QString zipallPath() const;
    // Starts without waiting; false when the archiver is missing or does not start.
    bool start(const QString& instructionPath, bool withMarker) const;
    // Waits (keeping events flowing) until the marker is gone or the time-out passed;
    // removes the marker in either case. True when the archiver confirmed.
    bool waitUntilRead(const QString& instructionPath) const;

private:
    const ZendorContext& m_ctx;
};

} // namespace zendor
