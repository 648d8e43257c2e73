#include "terminal/tools/data_search.h"

#include "terminal/core/kunde_settings.h"

namespace tarvex::DataSearch {

Query Query::fromSettings(const KundeSettings& s)
{
    Query q;
    q.term1 = s.begriff1;
    q.term2 = s.begriff2;
    q.combine = s.option2 ? Combine::Both : s.option3 ? Combine::FirstNotSecond : Combine::Either;
    q.caseSensitive = s.grossKl;
    q.atStart = s.abStart;
    q.lineNumbers = s.zeilenNr;
    return q;
}

void Query::toSettings(KundeSettings& s) const
{
    s.begriff1 = term1;
    s.begriff2 = term2;
    s.option1 = combine == Combine::Either;
    s.option2 = combine == Combine::Both;
    s.option3 = combine == Combine::FirstNotSecond;
    s.grossKl = caseSensitive;
    s.abStart = atStart;
    s.zeilenNr = lineNumbers;
}

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\r'));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1Char('\n')))
            lines[i].remove(0, 1);
    }
    return lines;
}

namespace {

bool holds(QStringView line, QStringView term, bool atStart, Qt::CaseSensitivity cs)
{
    return atStart ? line.startsWith(term, cs) : line.contains(term, cs);
}

} // namespace

QList<Hit> search(const QStringList& lines, const Query& query, const std::atomic<bool>* cancelled)
{
    QList<Hit> hits;
    if (query.term1.isEmpty())
        return hits;
    const Qt::CaseSensitivity cs = query.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool second = !query.term2.isEmpty();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (cancelled && (i & 0xFFF) == 0 && cancelled->load(std::memory_order_relaxed))
            break;
        const QString& line = lines[i];
        bool match = holds(line, query.term1, query.atStart, cs);
        if (second) {
            const bool other = holds(line, query.term2, query.atStart, cs);
            switch (query.combine) {
            case Combine::Either: match = match || other; break;
            case Combine::Both: match = match && other; break;
            case Combine::FirstNotSecond: match = match && !other; break;
            }
        }
        if (match)
            hits.append(Hit{int(i + 1), line});
    }
    return hits;
}

QString entry(const Hit& hit, bool lineNumbers)
{
    if (!lineNumbers)
        return hit.text;
    return QStringLiteral("%1  ").arg(hit.line, 8, 10, QLatin1Char('0')) + hit.text;
}

QStringList entries(const QList<Hit>& hits, bool lineNumbers)
{
    QStringList out;
    out.reserve(hits.size());
    for (const Hit& h : hits)
        out << entry(h, lineNumbers);
    return out;
}

} // namespace tarvex::DataSearch
