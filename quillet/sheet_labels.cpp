#include "quillet/sheet_labels.h"

namespace quillet {

QString SheetLabels::nextUnnamed(const QStringList& usedLabels)
{
    for (int n = 1;; ++n) {
        const QString label = QStringLiteral("Unbenannt %1").arg(n);
        if (!usedLabels.contains(label))
            return label;
    }
}

} // namespace quillet
