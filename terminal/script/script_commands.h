#pragma once

#include <QString>

#include <array>

namespace tarvex {

// The keywords of the script language with their arguments and the line of the command
// overview (empty for keywords the overview leaves out).
struct ScriptKeyword
{
    const char* keyword;
    const char* arguments;
    const char* help;
};

class ScriptCommands
{
public:
    static const std::array<ScriptKeyword, 35>& keywords();
    // The separator line and the help lines, each ended by CR LF except the last.
    static QString overview();
};

} // namespace tarvex
