#include "terminal/script/script_text_file.h"

#include "shared/cp1252.h"
#include "shared/text_file.h"

#include <QFile>
#include <QList>

#include "shared/runtime_error.h"

namespace tarvex {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Groups whose text is not part of the document.
bool skippedDestination(const QByteArray& word)
{
    static const char* const kSkipped[] = {"fonttbl", "colortbl", "stylesheet", "info",     "pict",
                                           "header",  "footer",   "headerl",    "headerr",  "footerl",
                                           "footerr", "object",   "listtable",  "themedata", "datastore",
                                           "xmlnstbl", "generator", "rsidtbl",   "latentstyles"};
    for (const char* s : kSkipped) {
        if (word == s)
            return true;
    }
    return false;
}

} // namespace

QString ScriptTextFile::read(const QString& path)
{
    if (path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw RuntimeError(f.exists() ? ErrorCode::PathFileAccess : ErrorCode::FileNotFound, path);
        return plainTextOfRtf(f.readAll());
    }
    return TextFile::splitLines(TextFile::readText(path)).join(QLatin1Char('\n'));
}

QString ScriptTextFile::plainTextOfRtf(const QByteArray& rtf)
{
    QByteArray bytes; // the document's text in Windows-1252, characters of \u as markers
    QString out;
    const auto flush = [&] {
        out += Cp1252::decode(bytes);
        bytes.clear();
    };
    struct Group
    {
        bool skip = false;
        int unicodeSkip = 1;
    };
    QList<Group> groups{Group{}};
    int pendingSkip = 0; // characters standing in for the last \u character
    const qsizetype n = rtf.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = rtf.at(i);
        Group& g = groups.last();
        if (c == '{') {
            const Group inner = g;
            groups.append(inner);
            pendingSkip = 0;
        } else if (c == '}') {
            if (groups.size() > 1)
                groups.removeLast();
            pendingSkip = 0;
        } else if (c == '\r' || c == '\n') {
            continue;
        } else if (c == '\\' && i + 1 < n) {
            const char d = rtf.at(++i);
            if (d == '\\' || d == '{' || d == '}') {
                if (pendingSkip > 0)
                    --pendingSkip;
                else if (!g.skip)
                    bytes.append(d);
            } else if (d == '\'' && i + 2 < n) {
                bool ok = false;
                const int code = rtf.mid(i + 1, 2).toInt(&ok, 16);
                i += 2;
                if (pendingSkip > 0)
                    --pendingSkip;
                else if (ok && !g.skip)
                    bytes.append(char(code));
            } else if (d == '*') {
                g.skip = true;
            } else if (isLetter(d)) {
                qsizetype end = i;
                while (end < n && isLetter(rtf.at(end)))
                    ++end;
                const QByteArray word = rtf.mid(i, end - i);
                qsizetype numEnd = end;
                if (numEnd < n && rtf.at(numEnd) == '-')
                    ++numEnd;
                while (numEnd < n && rtf.at(numEnd) >= '0' && rtf.at(numEnd) <= '9')
                    ++numEnd;
                const QByteArray param = rtf.mid(end, numEnd - end);
                i = numEnd;
                // A blank ends the control word and belongs to it.
                if (i >= n || rtf.at(i) != ' ')
                    --i;
                if (skippedDestination(word)) {
                    g.skip = true;
                } else if (word == "uc") {
                    g.unicodeSkip = param.toInt();
                } else if (g.skip) {
                    continue;
                } else if (word == "par" || word == "line") {
                    bytes.append('\n');
                } else if (word == "tab") {
                    bytes.append('\t');
                } else if (word == "u") {
                    int code = param.toInt();
                    if (code < 0)
                        code += 65536;
                    flush();
                    out += QChar(char16_t(code));
                    pendingSkip = g.unicodeSkip;
                }
            } else if (d == '~' && !g.skip) {
                bytes.append(' ');
            } else if (d == '_' && !g.skip) {
                bytes.append('-');
            }
        } else if (pendingSkip > 0) {
            --pendingSkip;
        } else if (!g.skip) {
            bytes.append(c);
        }
    }
    flush();
    // A paragraph mark at the very end does not start another line.
    if (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

} // namespace tarvex
