#pragma once

#include <QHash>
#include <QString>

namespace tarvex {

class ScriptTable;

// Replaces every "SCRI name" line by the command text of the first slot with that name
// (by nothing when no slot has it). The inclusion is bounded: a script that includes
// itself, directly or through others, stops the expansion.
class ScriptExpansion
{
public:
    static constexpr int kMaxInclusions = 1000;
    static constexpr int kMaxLength = 4 * 1024 * 1024;

    struct Result
    {
        QString text;
        bool bounded = false; // a bound was hit; text still holds "SCRI " lines
    };

    // Name of each script (first slot wins) -> its command text.
    using Index = QHash<QString, QString>;
    static Index index(const ScriptTable& table);

    static Result expand(QString text, const ScriptTable& table) { return expand(std::move(text), index(table)); }
    static Result expand(QString text, const Index& scripts);
};

} // namespace tarvex
