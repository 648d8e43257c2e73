#include "quillet/recent_files.h"

namespace quillet {

RecentFiles::RecentFiles(QStringList paths)
{
    for (const QString& path : paths) {
        if (!path.isEmpty() && !m_paths.contains(path) && m_paths.size() < kMax)
            m_paths.append(path);
    }
}

void RecentFiles::touch(const QString& path)
{
    if (path.isEmpty())
        return;
    m_paths.removeAll(path);
    m_paths.prepend(path);
    while (m_paths.size() > kMax)
        m_paths.removeLast();
}

void RecentFiles::remove(const QString& path)
{
    m_paths.removeAll(path);
}

} // namespace quillet
