#pragma once

#include <QString>

namespace quillet {

// Sizes as the status bar and the length dialog show them ("512 Byte", "1,50 KB" ...).
class SizeFormat {
public:
    static QString format(quint64 size);
    // "%u%%" of length against limit, rounded down; 0 for a limit of 0.
    static QString percent(quint64 length, quint64 limit);
};

} // namespace quillet
