#pragma once

#include <QDateTime>
#include <QString>

namespace zendor {

class ZendorContext;

// Function 6: the user picks files and a zip name; the archiver zips them into the
// program folder's "ZIP-Dateien".
class FunktionZippen
{
public:
    static constexpr int kMaxFiles = 99;

    explicit FunktionZippen(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

    // Month, day, minute and hour, two digits each, then ".zip".
    static QString defaultZipName(const QDateTime& now);

private:
    void zip(const QString& record);

    const ZendorContext& m_ctx;
};

} // namespace zendor
