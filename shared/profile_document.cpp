#include "shared/profile_document.h"

#include "shared/cp1252.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"

#include <QFile>

#include <algorithm>

namespace {

// Section and key names match without regard to case. Case folding keeps a name's length,
// so names of another length are passed over without comparing them.
bool sameName(const QString& a, const QString& b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// The line ends, made once and shared by every line.
struct LineEnds
{
    const QByteArray cr{"\r"};
    const QByteArray lf{"\n"};
    const QByteArray crLf{"\r\n"};
};

const LineEnds& lineEnds()
{
    static const LineEnds ends;
    return ends;
}

} // namespace

ProfileDocument::ProfileDocument(const QByteArray& bytes)
{
    const QString text = Cp1252::decode(bytes);
    qsizetype start = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            const QString lineText = text.mid(start, i - start);
            const bool crLf = c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n');
            i += crLf ? 2 : 1;
            const LineEnds& ends = lineEnds();
            const QByteArray& ending = crLf ? ends.crLf : (c == QLatin1Char('\r') ? ends.cr : ends.lf);
            insertLine(int(m_lines.size()), makeLine(lineText, ending));
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        insertLine(int(m_lines.size()), makeLine(text.mid(start), QByteArray()));
}

ProfileDocument ProfileDocument::load(const QString& path)
{
    QFile f(path);
    if (!f.exists())
        return ProfileDocument();
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(TextFile::errorCodeOf(f), path);
    return ProfileDocument(f.readAll());
}

ProfileDocument::Line ProfileDocument::makeLine(const QString& text, const QByteArray& ending)
{
    Line line{text, ending, sectionName(text), std::nullopt, text.trimmed().isEmpty()};
    QString key;
    if (!line.section && splitKey(text, &key, nullptr))
        line.key = key;
    return line;
}

void ProfileDocument::insertLine(int at, const Line& line)
{
    for (int& header : m_headers) {
        if (header >= at)
            ++header;
    }
    if (line.section)
        m_headers.insert(std::lower_bound(m_headers.begin(), m_headers.end(), at) - m_headers.begin(), at);
    m_lines.insert(at, line);
}

std::optional<QString> ProfileDocument::sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        close = t.size();
    return t.mid(1, close - 1).trimmed();
}

bool ProfileDocument::splitKey(const QString& line, QString* key, QString* value)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    if (key)
        *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

ProfileDocument::Ranges ProfileDocument::sectionRanges(const QString& section) const
{
    Ranges ranges;
    const QString wanted = section.trimmed();
    const int* headers = m_headers.constData();
    const Line* lines = m_lines.constData();
    const qsizetype count = m_headers.size();
    for (qsizetype n = 0; n < count; ++n) {
        if (sameName(*lines[headers[n]].section, wanted))
            ranges.append({headers[n] + 1, n + 1 < count ? headers[n + 1] : int(m_lines.size())});
    }
    return ranges;
}

int ProfileDocument::findKey(const Ranges& ranges, const QString& key) const
{
    const Line* lines = m_lines.constData();
    for (const auto& [begin, end] : ranges) {
        for (int i = begin; i < end; ++i) {
            if (lines[i].key && sameName(*lines[i].key, key))
                return i;
        }
    }
    return -1;
}

std::optional<QString> ProfileDocument::value(const QString& section, const QString& key) const
{
    const int i = findKey(sectionRanges(section), key.trimmed());
    if (i < 0)
        return std::nullopt;
    QString v;
    splitKey(m_lines.at(i).text, nullptr, &v);
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
        v = v.mid(1, v.size() - 2);
    const qsizetype nul = v.indexOf(QChar(0));
    if (nul >= 0)
        v.truncate(nul);
    if (v.size() > kMaxValueLength)
        v.truncate(kMaxValueLength);
    return v;
}

QString ProfileDocument::value(const QString& section, const QString& key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

void ProfileDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    // A line break inside a value would split the file's line; it becomes a blank.
    QString clean = value;
    if (clean.contains(QLatin1Char('\r')) || clean.contains(QLatin1Char('\n'))) {
        clean.replace(QLatin1String("\r\n"), QLatin1String(" "));
        clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
        clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    // Reading trims a value and drops one pair of surrounding quotes: a value with blanks
    // at either end, or in quotes itself, is written in quotes so it reads back as it was.
    const bool quoted = clean.size() >= 2 && clean.startsWith(QLatin1Char('"')) && clean.endsWith(QLatin1Char('"'));
    if (quoted || clean.trimmed().size() != clean.size())
        clean = QLatin1Char('"') + clean + QLatin1Char('"');
    const QString wantedKey = key.trimmed();

    const Ranges ranges = sectionRanges(section);
    if (const int i = findKey(ranges, wantedKey); i >= 0) {
        const Line& found = m_lines.at(i);
        // Still a key line of the same name: the text before '=' does not start with '['.
        const QString newText = *found.key + QLatin1Char('=') + clean;
        if (found.text != newText) {
            Line changed = makeLine(newText, found.ending);
            m_lines[i] = std::move(changed);
            m_modified = true;
        }
        return;
    }

    // The last line must end before anything is added behind it.
    const QByteArray& crLf = lineEnds().crLf;
    if (!m_lines.isEmpty() && m_lines.last().ending.isEmpty())
        m_lines.last().ending = crLf;

    if (!ranges.isEmpty()) {
        // Behind the last non-blank line of the first section of that name.
        const Line* lines = m_lines.constData();
        int insertAt = ranges.first().first;
        for (int i = ranges.first().first; i < ranges.first().second; ++i) {
            if (!lines[i].blank)
                insertAt = i + 1;
        }
        insertLine(insertAt, makeLine(wantedKey + QLatin1Char('=') + clean, crLf));
    } else {
        insertLine(int(m_lines.size()), makeLine(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'), crLf));
        insertLine(int(m_lines.size()), makeLine(wantedKey + QLatin1Char('=') + clean, crLf));
    }
    m_modified = true;
}

QByteArray ProfileDocument::toBytes() const
{
    QByteArray out;
    for (const Line& line : m_lines) {
        out += Cp1252::encode(line.text);
        out += line.ending;
    }
    return out;
}

void ProfileDocument::save(const QString& path) const
{
    TextFile::writeBytesAtomic(path, toBytes());
}
