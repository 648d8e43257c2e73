#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Function 8: deletes the files of a folder that match a filter.
class FunktionDateiKill
{
public:
    explicit FunktionDateiKill(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

private:
    void killAll(const QString& record);
    // The asking variant of the delete (flag 5): one question per file, No as default.
    void killAsking(const QString& path) const;

    const ZendorContext& m_ctx;
};

} // namespace zendor
