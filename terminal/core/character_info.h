#pragma once

#include <QString>

namespace tarvex {

// The names and codes of single characters as the terminal shows them.
namespace CharacterInfo {

// "<CR>" for 13 and the other names of the control character list; empty otherwise.
QString Steuerzeichen(int code, const QString& controlCharList);
// The name of a code: the control character names for 0 to 32 ("NUL (Null Prompt)" …
// "BLA (Blank)"), the character itself (Windows-1252) above.
QString characterName(int code);
// The text of the analysis field for the first character of a selection.
QString ZeichenAnalyse(const QString& selection);

} // namespace CharacterInfo

} // namespace tarvex
