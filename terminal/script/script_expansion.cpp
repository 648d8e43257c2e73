#include "terminal/script/script_expansion.h"

#include "shared/daten_pipe.h"
#include "terminal/core/script_table.h"

#include <QHash>

ScriptExpansion::Result ScriptExpansion::expand(QString text, const ScriptTable& table)
{
    static const QString kScri = QStringLiteral("SCRI ");
    static const QString kSep = QStringLiteral("<>");
    // The first slot of each name, looked up once.
    QHash<QString, int> firstSlot;
    for (int i = ScriptTable::kSlots - 1; i >= 1; --i) {
        if (!table.slot(i).isEmpty())
            firstSlot.insert(DatenPipe(1, table.slot(i)).trimmed(), i);
    }
    Result r;
    int inclusions = 0;
    qsizetype at = text.indexOf(kScri);
    while (at >= 0) {
        if (inclusions >= kMaxInclusions || text.size() > kMaxLength) {
            r.bounded = true;
            break;
        }
        qsizetype end = text.indexOf(kSep, at);
        if (end < 0)
            end = text.size();
        const QString name = text.mid(at + 5, end - at - 5).trimmed();
        const auto found = firstSlot.constFind(name);
        const QString included = found == firstSlot.cend() ? QString() : DatenPipe(2, table.slot(found.value()));
        text.replace(at, end - at, included);
        ++inclusions;
        // Only the last characters in front of the inclusion can form a new "SCRI ".
        at = text.indexOf(kScri, std::max<qsizetype>(0, at - 4));
    }
    r.text = std::move(text);
    return r;
}
