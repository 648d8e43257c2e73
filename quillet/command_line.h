#pragma once

#include <QString>
#include <functional>

namespace quillet {

// The editor's command line: an optional "/a" (select all) or "/e" (caret to the end)
// followed by a blank, then a file path that may contain blanks or be quoted.
class CommandLine {
public:
    enum class Mode { None, SelectAll, CaretToEnd };

    struct Parsed {
        Mode mode = Mode::None;
        QString path;  // empty when no file is named
    };

    static Parsed parse(const QString& commandLine, const std::function<bool(const QString&)>& fileExists);
};

} // namespace quillet
