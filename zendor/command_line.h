#pragma once

#include <QString>
#include <QStringList>

namespace zendor {

// zendor's command line: options first, then the record. The record is everything after
// the options joined by blanks, so a caller may pass it as one argument or split.
//   --kunde DIR            customer data folder (tarvex.ini, kunde.ini)
//   --programmordner DIR   folder taken as the program folder (relative paths,
//                          ZIP-Dateien); default: the folder of the executable
class CommandLine
{
public:
    static CommandLine parse(const QStringList& arguments); // without the program name

    QString kundeDir;
    QString programDir;
    QString record;
};

} // namespace zendor
