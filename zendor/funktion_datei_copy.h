#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Function 7: copies the files that match a pattern into a target folder.
class FunktionDateiCopy
{
public:
    explicit FunktionDateiCopy(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

private:
    void createFolderLevels(const QString& target) const;
    void copyAll(const QString& record);

    const ZendorContext& m_ctx;
};

} // namespace zendor
