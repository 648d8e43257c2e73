#include "terminal/display/ui/display_style.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

namespace tarvex {

QFont DisplayStyle::fontFromRecord(const QString& record)
{
    QString name = DatenPipe(1, record);
    if (name.isEmpty())
        name = QStringLiteral("Courier New");
    int size = leadingInt(DatenPipe(2, record));
    if (size < 6)
        size = 6;
    if (size > 400)
        size = 400;
    QFont f(name);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(size);
    const auto wahr = [&](int n) { return DatenPipe(n, record) == QLatin1String("Wahr"); };
    f.setBold(wahr(3));
    f.setItalic(wahr(4));
    f.setUnderline(wahr(5));
    return f;
}

QColor DisplayStyle::colorFromSetting(int value)
{
    const unsigned v = unsigned(value) & 0xFFFFFFu;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

} // namespace tarvex
