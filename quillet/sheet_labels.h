#pragma once

#include <QString>
#include <QStringList>

namespace quillet {

// Labels of unnamed sheets: "Unbenannt n" with the lowest n no other tab uses.
class SheetLabels {
public:
    static QString nextUnnamed(const QStringList& usedLabels);
};

} // namespace quillet
