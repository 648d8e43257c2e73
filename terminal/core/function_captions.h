#pragma once

namespace tarvex {

class FunctionTable;

// The captions and tool tips the functions show on the toolbar; the menu file brings its own
// captions. Described before the subsystems register the actions.
void describeFunctions(FunctionTable& functions);

} // namespace tarvex
