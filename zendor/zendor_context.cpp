#include "zendor/zendor_context.h"

#include "shared/app_folders.h"
#include "zendor/lifetime_timer.h"
#include "zendor/zendor_paths.h"

namespace zendor {

ZendorContext::ZendorContext(Prompter& prompter, Shell& shell, Clock& clock)
    : m_prompter(prompter), m_shell(shell), m_clock(clock)
{
}

void ZendorContext::setFolders(const QString& programDir, const QString& dataDir)
{
    m_programDir = ZendorPaths::withoutTrailingSeparator(ZendorPaths::toNative(programDir));
    m_dataDir = AppFolders::withTrailingSlash(dataDir);
}

QString ZendorContext::settingsPath() const
{
    return AppFolders::findCaseInsensitive(m_dataDir + settingsFileName());
}

QString ZendorContext::resolvePath(const QString& argument, bool allowUnc) const
{
    return ZendorPaths::resolve(m_programDir, argument, allowUnc);
}

void ZendorContext::diagnosticBox(const QString& text, const QString& caption) const
{
    if (m_diagnostics)
        m_prompter.message(caption, text, BoxButtons::Ok, BoxIcon::None);
}

void ZendorContext::armLifetimeTimer() const
{
    if (m_lifetime)
        m_lifetime->start();
}

} // namespace zendor
