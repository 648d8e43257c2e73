#include "quillet/size_format.h"

namespace quillet {

QString SizeFormat::format(quint64 size)
{
    if (size < 1024)
        return QStringLiteral("%1 Byte").arg(size);
    if (size <= 1048575)
        return QStringLiteral("%1 KB").arg(static_cast<double>(size) / 1024.0, 0, 'f', 2);
    if (size <= 1073741823)
        return QStringLiteral("%1 MB").arg(static_cast<double>(size) / 1048576.0, 0, 'f', 2);
    return QStringLiteral("%1 GB").arg(static_cast<double>(size) / 1073741824.0, 0, 'f', 2);
}

QString SizeFormat::percent(quint64 length, quint64 limit)
{
    if (limit == 0)
        return QStringLiteral("0%");
    return QStringLiteral("%1%").arg(length * 100 / limit);
}

} // namespace quillet
