#include "quillet/command_line.h"

namespace quillet {

CommandLine::Parsed CommandLine::parse(const QString& commandLine,
                                       const std::function<bool(const QString&)>& fileExists)
{
    Parsed parsed;
    QString rest = commandLine;
    qsizetype i = 0;
    while (i < rest.size() && rest[i].isSpace())
        ++i;
    rest = rest.mid(i);
    if (rest.size() >= 2 && rest[0] == u'/' && (rest.size() == 2 || rest[2] == u' ')) {
        const QChar letter = rest[1].toLower();
        if (letter == u'a' || letter == u'e') {
            parsed.mode = letter == u'a' ? Mode::SelectAll : Mode::CaretToEnd;
            rest = rest.mid(2);
            i = 0;
            while (i < rest.size() && rest[i].isSpace())
                ++i;
            rest = rest.mid(i);
        }
    }
    if (rest.isEmpty())
        return parsed;
    if (fileExists(rest)) {
        parsed.path = rest;
        return parsed;
    }
    // The first argument: quoted up to the closing quote, else up to the first blank.
    if (rest[0] == u'"') {
        const qsizetype close = rest.indexOf(u'"', 1);
        parsed.path = close < 0 ? rest.mid(1) : rest.mid(1, close - 1);
    } else {
        const qsizetype blank = rest.indexOf(u' ');
        parsed.path = blank < 0 ? rest : rest.left(blank);
    }
    return parsed;
}

} // namespace quillet
