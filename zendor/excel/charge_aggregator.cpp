#include "zendor/excel/charge_aggregator.h"

#include "shared/cp1252.h"
#include "shared/daten_pipe.h"
#include "shared/runtime_error.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zendor {

namespace {

// Field n (1-based) of a pipe record given without its first and last character.
QByteArrayView fieldOf(QByteArrayView inner, int n)
{
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype bar = inner.indexOf('|', start);
        if (bar < 0)
            return {};
        start = bar + 1;
    }
    const qsizetype end = inner.indexOf('|', start);
    return end < 0 ? inner.sliced(start) : inner.sliced(start, end - start);
}

QByteArrayView keyOf(int grouping, QByteArrayView field1)
{
    const QByteArrayView date = field1.first(qMin<qsizetype>(10, field1.size()));
    switch (grouping) {
    case 1: return date.first(qMin<qsizetype>(2, date.size()));
    case 2: return date.size() > 3 ? date.sliced(3, qMin<qsizetype>(2, date.size() - 3)) : QByteArrayView();
    case 3: return date.last(qMin<qsizetype>(4, date.size()));
    default: return field1;
    }
}

} // namespace

ChargeAggregator::ChargeAggregator(int grouping, bool participantMode)
    : m_grouping(participantMode ? 0 : grouping), m_participants(participantMode)
{
}

double ChargeAggregator::round2(double value)
{
    return std::round(value * 100.0) / 100.0;
}

QString ChargeAggregator::amountText(double value)
{
    return QString::number(round2(value), 'f', 2);
}

double ChargeAggregator::amountOf(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'))
        return 0;
    double v = 0;
    const char* begin = text.data() + i;
    const auto r = std::from_chars(begin, text.data() + text.size(), v, std::chars_format::general);
    if (r.ec != std::errc())
        return 0;
    return negative ? -v : v;
}

void ChargeAggregator::addLine(QByteArrayView line)
{
    if (line.startsWith('!'))
        line = line.sliced(1);
    if (line.isEmpty() || line.startsWith('*'))
        return;
    // A line that is only blanks is no record.
    if (line.trimmed().isEmpty())
        return;
    ++m_lines;
    const QByteArrayView inner = line.size() >= 2 ? line.sliced(1, line.size() - 2) : QByteArrayView();
    const QByteArrayView field1 = fieldOf(inner, 1);
    const double amount = round2(amountOf(fieldOf(inner, 8)));
    if (m_participants) {
        m_participantRows.push_back(
            Participant{field1.toByteArray(), fieldOf(inner, 3).toByteArray(), fieldOf(inner, 4).toByteArray(), amount});
        return;
    }
    const QByteArrayView key = keyOf(m_grouping, field1);
    // Looked up without copying the key; only a new key is stored as a copy.
    auto it = m_sums.find(QByteArray::fromRawData(key.data(), key.size()));
    if (it == m_sums.end())
        m_sums.insert(key.toByteArray(), amount);
    else
        *it = round2(*it + amount);
}

void ChargeAggregator::addText(QByteArrayView text)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        addLine(line);
        start = end + 1;
    }
}

void ChargeAggregator::addFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(f.exists() ? ErrorCode::PermissionDenied : ErrorCode::FileNotFound, path);
    if (f.size() == 0)
        return;
    if (uchar* mapped = f.map(0, f.size())) {
        addText(QByteArrayView(reinterpret_cast<const char*>(mapped), f.size()));
        f.unmap(mapped);
        return;
    }
    const QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorCode::DeviceIo, path);
    addText(all);
}

QString ChargeAggregator::monthName(int month)
{
    return DatenPipe(month, QStringLiteral("|Januar|Februar|März|April|Mai|Juni|Juli|August|September|Oktober|"
                                           "November|Dezember|"));
}

QString ChargeAggregator::labelOf(int grouping, const QString& key)
{
    switch (grouping) {
    case 1: return key + QStringLiteral(".Tag");
    case 2: {
        bool ok = false;
        const int m = key.toInt(&ok);
        return ok ? monthName(m) : QString();
    }
    case 3: return QStringLiteral("Jahr ") + key;
    default: return key;
    }
}

QList<TableRow> ChargeAggregator::rows() const
{
    QList<TableRow> out;
    if (m_participants) {
        // Ordered as the sorted list of entries "|Tln. key|f3|f4|amount|" would be.
        struct Entry
        {
            QString text;
            const Participant* p;
        };
        std::vector<Entry> entries;
        entries.reserve(m_participantRows.size());
        for (const Participant& p : m_participantRows) {
            const QString text = QStringLiteral("|Tln. ") + Cp1252::decode(p.key) + QLatin1Char('|')
                + Cp1252::decode(p.f3) + QLatin1Char('|') + Cp1252::decode(p.f4) + QLatin1Char('|')
                + amountText(p.amount) + QLatin1Char('|');
            entries.push_back(Entry{text, &p});
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.text < b.text; });
        out.reserve(qsizetype(entries.size()));
        for (const Entry& e : entries) {
            out.append(TableRow{QStringLiteral("Tln. ") + Cp1252::decode(e.p->key),
                                {amountOf(e.p->f3), amountOf(e.p->f4), e.p->amount}});
        }
        return out;
    }
    QList<QByteArray> keys = m_sums.keys();
    std::sort(keys.begin(), keys.end());
    out.reserve(keys.size());
    for (const QByteArray& k : keys)
        out.append(TableRow{labelOf(m_grouping, Cp1252::decode(k)), {m_sums.value(k)}});
    return out;
}

} // namespace zendor
