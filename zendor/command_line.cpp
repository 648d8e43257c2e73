#include "zendor/command_line.h"

namespace zendor {

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine cl;
    int i = 0;
    for (; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        auto value = [&](const QString& name, QString* out) {
            if (a == name && i + 1 < arguments.size()) {
                *out = arguments.at(++i);
                return true;
            }
            if (a.startsWith(name + QLatin1Char('='))) {
                *out = a.mid(name.size() + 1);
                return true;
            }
            return false;
        };
        if (value(QStringLiteral("--kunde"), &cl.kundeDir) || value(QStringLiteral("--programmordner"), &cl.programDir))
            continue;
        break;
    }
    cl.record = arguments.mid(i).join(QLatin1Char(' '));
    return cl;
}

} // namespace zendor
