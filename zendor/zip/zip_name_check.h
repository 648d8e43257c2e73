#pragma once

#include <QString>

class Prompter;

namespace zendor {

// A zip name is a file name inside the chosen folder. A name that holds a folder would
// write elsewhere: it is refused with a "Sicherheitshinweis". Returns whether it may be used.
bool acceptZipName(Prompter& prompter, const QString& zipName);

} // namespace zendor
