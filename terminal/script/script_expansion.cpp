#include "terminal/script/script_expansion.h"

#include "shared/daten_pipe.h"
#include "terminal/core/script_table.h"

namespace tarvex {

ScriptExpansion::Index ScriptExpansion::index(const ScriptTable& table)
{
    Index scripts;
    for (int i = 1; i < ScriptTable::kSlots; ++i) {
        if (table.slot(i).isEmpty())
            continue;
        const QStringList fields = pipeFields(table.slot(i));
        const QString name = fields.value(0).trimmed();
        if (!scripts.contains(name))
            scripts.insert(name, fields.value(1));
    }
    return scripts;
}

ScriptExpansion::Result ScriptExpansion::expand(QString text, const Index& scripts)
{
    static const QString kScri = QStringLiteral("SCRI ");
    static const QString kSep = QStringLiteral("<>");
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
        text.replace(at, end - at, scripts.value(name));
        ++inclusions;
        // Only the last characters in front of the inclusion can form a new "SCRI ".
        at = text.indexOf(kScri, std::max<qsizetype>(0, at - 4));
    }
    r.text = std::move(text);
    return r;
}

} // namespace tarvex
