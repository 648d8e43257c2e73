#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

namespace tarvex {

struct KundeSettings;

// The search in received data: the display's lines that hold one or two terms.
namespace DataSearch {

enum class Combine { Either = 1, Both = 2, FirstNotSecond = 3 };

struct Query
{
    QString term1;
    QString term2; // may be empty: then only the first term counts
    Combine combine = Combine::Either;
    bool caseSensitive = false;
    bool atStart = false;     // the term must open the line
    bool lineNumbers = false; // hit entries carry the line number

    // The settings kept in kunde.ini's [Suchen] section, and back.
    static Query fromSettings(const KundeSettings& s);
    void toSettings(KundeSettings& s) const;
};

struct Hit
{
    int line = 0; // numbered from 1
    QString text;
};

// The display text cut at CR (an LF right after a CR dropped); the part after the last CR
// is a line too, so an empty text is one empty line.
QStringList splitLines(const QString& text);

// The matching lines in display order. Works on a copy of the lines and may run on any
// thread; `cancelled` (when given) is asked now and then and stops the search early.
QList<Hit> search(const QStringList& lines, const Query& query, const std::atomic<bool>* cancelled = nullptr);

// A hit as the list shows it: the line, or with line numbers "00000042  " + the line.
QString entry(const Hit& hit, bool lineNumbers);
QStringList entries(const QList<Hit>& hits, bool lineNumbers);

} // namespace DataSearch

} // namespace tarvex
