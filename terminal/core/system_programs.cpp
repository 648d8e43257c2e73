#include "terminal/core/system_programs.h"

#include "shared/platform/shell.h"

#include <QHash>

namespace tarvex {

namespace {

using Command = SystemPrograms::Command;
using Entry = SystemPrograms::Entry;

#ifdef Q_OS_WIN
QString systemDir()
{
    return qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows")) + QStringLiteral("\\System32");
}

Entry applet(const char* file)
{
    const QString name = QString::fromUtf8(file);
    return {name, {{QStringLiteral("control.exe"), {systemDir() + name}}}};
}
#else
// Desktop settings programs, each with the page that matches the applet where it has one.
QList<Command> settings(const QString& gnomePage = QString(), const QString& kdeModule = QString())
{
    QList<Command> c;
    c.append({QStringLiteral("gnome-control-center"), gnomePage.isEmpty() ? QStringList() : QStringList{gnomePage}});
    if (!kdeModule.isEmpty())
        c.append({QStringLiteral("kcmshell5"), {kdeModule}});
    c.append({QStringLiteral("systemsettings"), {}});
    c.append({QStringLiteral("xfce4-settings-manager"), {}});
    c.append({QStringLiteral("mate-control-center"), {}});
    c.append({QStringLiteral("lxqt-config"), {}});
    return c;
}

Entry applet(const char* file, const char* gnomePage, const char* kdeModule)
{
    return {QString::fromUtf8(file), settings(QString::fromUtf8(gnomePage), QString::fromUtf8(kdeModule))};
}
#endif

QHash<int, Entry> buildTable()
{
    QHash<int, Entry> t;
#ifdef Q_OS_WIN
    t.insert(605, {QStringLiteral("control.exe"), {{QStringLiteral("control.exe"), {}}}});
    t.insert(615, applet("\\Sysdm.cpl"));
    t.insert(617, applet("\\appwiz.cpl"));
    t.insert(625, applet("\\desk.cpl"));
    t.insert(627, applet("\\main.cpl"));
    t.insert(635, {QStringLiteral("netcpl.cpl"),
                   {{QStringLiteral("control.exe"), {QStringLiteral("netcpl.cpl")}},
                    {QStringLiteral("control.exe"), {QStringLiteral("ncpa.cpl")}}}});
    t.insert(637, applet("\\Modem.cpl"));
    t.insert(639, applet("\\password.cpl"));
    t.insert(641, applet("\\intl.cpl"));
    t.insert(655, applet("\\TimeDate.cpl"));
    t.insert(675, {QStringLiteral("telnet.exe"), {{QStringLiteral("telnet.exe"), {}}}});
    t.insert(701, {QStringLiteral("calc.exe"), {{QStringLiteral("calc.exe"), {}}}});
    t.insert(795, {QStringLiteral("clipbrd.exe"), {{QStringLiteral("clipbrd.exe"), {}}}});
#else
    t.insert(605, {QStringLiteral("control.exe"), settings()});
    t.insert(615, applet("Sysdm.cpl", "info-overview", "kcm_about-distro"));
    t.insert(617, {QStringLiteral("appwiz.cpl"),
                   {{QStringLiteral("gnome-software"), {}}, {QStringLiteral("plasma-discover"), {}},
                    {QStringLiteral("synaptic"), {}}}});
    t.insert(625, applet("desk.cpl", "display", "kcm_kscreen"));
    t.insert(627, applet("main.cpl", "mouse", "kcm_mouse"));
    t.insert(635, applet("netcpl.cpl", "network", "kcm_networkmanagement"));
    t.insert(637, applet("Modem.cpl", "network", "kcm_networkmanagement"));
    t.insert(639, applet("password.cpl", "user-accounts", "kcm_users"));
    t.insert(641, applet("intl.cpl", "region", "kcm_regionandlang"));
    t.insert(655, applet("TimeDate.cpl", "datetime", "kcm_clock"));
    t.insert(675, {QStringLiteral("telnet.exe"),
                   {{QStringLiteral("x-terminal-emulator"), {QStringLiteral("-e"), QStringLiteral("telnet")}},
                    {QStringLiteral("xterm"), {QStringLiteral("-e"), QStringLiteral("telnet")}}}});
    t.insert(701, {QStringLiteral("calc.exe"),
                   {{QStringLiteral("gnome-calculator"), {}}, {QStringLiteral("kcalc"), {}},
                    {QStringLiteral("galculator"), {}}, {QStringLiteral("mate-calc"), {}},
                    {QStringLiteral("qalculate-gtk"), {}}, {QStringLiteral("xcalc"), {}}}});
    t.insert(795, {QStringLiteral("clipbrd.exe"),
                   {{QStringLiteral("xclipboard"), {}}, {QStringLiteral("copyq"), {QStringLiteral("show")}},
                    {QStringLiteral("diodon"), {}}, {QStringLiteral("clipit"), {}}}});
#endif
    return t;
}

const QHash<int, Entry>& table()
{
    static const QHash<int, Entry> t = buildTable();
    return t;
}

} // namespace

const SystemPrograms::Entry* SystemPrograms::forFunction(int number)
{
    const auto it = table().constFind(number);
    return it == table().constEnd() ? nullptr : &it.value();
}

const SystemPrograms::Entry& SystemPrograms::systemPage()
{
#ifdef Q_OS_WIN
    static const Entry e{QStringLiteral("Sysdm.cpl"),
                         {{QStringLiteral("control.exe"), {systemDir() + QStringLiteral("\\Sysdm.cpl,,0")}}}};
    return e;
#else
    return *forFunction(615);
#endif
}

bool SystemPrograms::start(Shell& shell, const Entry& entry)
{
    for (const Command& c : entry.commands) {
        if (!shell.findProgram(c.program).isEmpty() && shell.startProgram(c.program, c.arguments))
            return true;
    }
    return false;
}

} // namespace tarvex
