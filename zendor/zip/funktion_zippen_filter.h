#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Function 10: zips every file that matches a pattern, without asking for files.
class FunktionZippenFilter
{
public:
    static constexpr int kWaitForZipMs = 60000;

    explicit FunktionZippenFilter(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

private:
    void zip(const QString& record);
    void waitForFile(const QString& path) const;

    const ZendorContext& m_ctx;
};

} // namespace zendor
