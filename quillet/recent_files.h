#pragma once

#include <QStringList>

namespace quillet {

// The recent-files list of the "Datei" menu: at most four paths, most recent first.
class RecentFiles {
public:
    static constexpr int kMax = 4;

    explicit RecentFiles(QStringList paths = {});
    // Puts the path at the top; the others keep their order below it.
    void touch(const QString& path);
    void remove(const QString& path);
    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
};

} // namespace quillet
