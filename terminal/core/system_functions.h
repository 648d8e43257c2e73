#pragma once

namespace tarvex {

struct TerminalContext;

// The program functions that start other programs: folders in the file manager, the
// system's own tools, the editor, the office helper's mail windows and the maker's web site.
class SystemFunctions
{
public:
    explicit SystemFunctions(TerminalContext& context);

private:
    void startSystemProgram(int number);

    TerminalContext& m_ctx;
};

} // namespace tarvex
