#pragma once

#include <QString>

namespace zendor {

class ZendorContext;

// Function 5: opens a shortcut or document through the desktop, or starts a program with
// the parameter field as its one argument.
class FunktionExportProgramm
{
public:
    explicit FunktionExportProgramm(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

    // Shortcuts and desktop entries are opened, not started.
    static bool isShortcut(const QString& path);

private:
    void start(const QString& record);

    const ZendorContext& m_ctx;
};

} // namespace zendor
