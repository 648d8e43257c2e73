#pragma once

#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"

#include <QString>

namespace zendor {

class ProgressView;
class ChartOptionsView;
class LifetimeTimer;

// Everything one run of zendor works with: its folders, the command record, the
// diagnostics switch and the platform it talks to.
class ZendorContext
{
public:
    ZendorContext(Prompter& prompter, Shell& shell, Clock& clock);

    static QString versionText() { return QStringLiteral("Version 1.10.0802"); }

    // The program folder (native separators, no trailing separator) and the customer
    // data folder (with a trailing "/").
    void setFolders(const QString& programDir, const QString& dataDir);
    const QString& programDir() const { return m_programDir; }
    const QString& dataDir() const { return m_dataDir; }
    // Beside the executable; zipall is looked for here when the program folder lacks it.
    void setExecutableDir(const QString& dir) { m_executableDir = dir; }
    const QString& executableDir() const { return m_executableDir; }

    void setRecord(const QString& record) { m_record = record; }
    const QString& record() const { return m_record; }
    void setDiagnostics(bool on) { m_diagnostics = on; }
    bool diagnostics() const { return m_diagnostics; }

    // "kunde/tarvex.ini": the file the dialog functions hand their results back through.
    QString settingsFileName() const { return QStringLiteral("tarvex.ini"); }
    QString settingsPath() const;

    // The path rule: an argument that is not absolute is taken relative to the program
    // folder. allowUnc: a leading "\\" also counts as absolute.
    QString resolvePath(const QString& argument, bool allowUnc = true) const;

    // A diagnostic box (only when diagnostics are on); caption = version text unless given.
    void diagnosticBox(const QString& text, const QString& caption = versionText()) const;

    Prompter& prompter() const { return m_prompter; }
    Shell& shell() const { return m_shell; }
    Clock& clock() const { return m_clock; }

    ProgressView* progressView() const { return m_progress; }
    void setProgressView(ProgressView* view) { m_progress = view; }
    ChartOptionsView* chartOptionsView() const { return m_chartOptions; }
    void setChartOptionsView(ChartOptionsView* view) { m_chartOptions = view; }
    LifetimeTimer* lifetimeTimer() const { return m_lifetime; }
    void setLifetimeTimer(LifetimeTimer* timer) { m_lifetime = timer; }
    // Starts the lifetime timer when there is one.
    void armLifetimeTimer() const;

private:
    Prompter& m_prompter;
    Shell& m_shell;
    Clock& m_clock;
    QString m_programDir;
    QString m_dataDir;
    QString m_executableDir;
    QString m_record;
    bool m_diagnostics = false;
    ProgressView* m_progress = nullptr;
    ChartOptionsView* m_chartOptions = nullptr;
    LifetimeTimer* m_lifetime = nullptr;
};

} // namespace zendor
