#include "quillet/text_search.h"

namespace quillet {
namespace {

bool wholeWordAt(const QString& text, qsizetype pos, qsizetype length)
{
    if (pos > 0 && TextSearch::isWordChar(text[pos - 1]))
        return false;
    const qsizetype end = pos + length;
    return end >= text.size() || !TextSearch::isWordChar(text[end]);
}

} // namespace

bool TextSearch::isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

qsizetype TextSearch::findForward(const QString& text, const QString& needle, qsizetype from,
                                  qsizetype startLimit, Options options)
{
    if (needle.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype pos = std::max<qsizetype>(from, 0);
    while (true) {
        pos = text.indexOf(needle, pos, cs);
        if (pos < 0 || pos >= startLimit)
            return -1;
        if (!options.wholeWord || wholeWordAt(text, pos, needle.size()))
            return pos;
        ++pos;
    }
}

qsizetype TextSearch::findBackward(const QString& text, const QString& needle, qsizetype from,
                                   qsizetype lowerBound, Options options)
{
    if (needle.isEmpty() || from < 0)
        return -1;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype pos = std::min(from, text.size() - needle.size());
    while (pos >= 0) {
        pos = text.lastIndexOf(needle, pos, cs);
        if (pos < 0 || pos < lowerBound)
            return -1;
        if (!options.wholeWord || wholeWordAt(text, pos, needle.size()))
            return pos;
        --pos;
    }
    return -1;
}

TextSearch::Replaced TextSearch::replaceAll(const QString& text, const QString& needle, const QString& replacement,
                                            qsizetype from, Options options,
                                            const std::function<void(qsizetype)>& progress)
{
    Replaced result;
    if (needle.isEmpty()) {
        result.text = text;
        return result;
    }
    from = std::clamp<qsizetype>(from, 0, text.size());
    result.text.reserve(text.size());
    result.text.append(QStringView(text).left(from));
    qsizetype copied = from;
    qsizetype pos = from;
    qsizetype nextReport = from + (1 << 20);
    while (true) {
        pos = findForward(text, needle, pos, text.size(), options);
        if (pos < 0)
            break;
        result.text.append(QStringView(text).mid(copied, pos - copied));
        result.text.append(replacement);
        ++result.count;
        pos += needle.size();
        copied = pos;
        if (progress && pos >= nextReport) {
            progress(pos);
            nextReport = pos + (1 << 20);
        }
    }
    result.text.append(QStringView(text).mid(copied));
    if (progress)
        progress(text.size());
    return result;
}

} // namespace quillet
