#include "quillet/page_settings.h"

#include "quillet/editor_settings.h"

#include <algorithm>

namespace quillet {
namespace {

const char* const kMarginNames[] = {"iMarginLeft", "iMarginTop", "iMarginRight", "iMarginBottom"};

} // namespace

PageSettings PageSettings::read(const EditorSettings& settings)
{
    PageSettings page;
    int* margins[] = {&page.marginLeft, &page.marginTop, &page.marginRight, &page.marginBottom};
    for (int i = 0; i < 4; ++i)
        *margins[i] = settings.number(QLatin1String(kMarginNames[i]));
    page.header = limited(settings.text(QStringLiteral("szHeader")));
    page.footer = limited(settings.text(QStringLiteral("szTrailer")));
    return page;
}

void PageSettings::write(EditorSettings& settings) const
{
    const int margins[] = {marginLeft, marginTop, marginRight, marginBottom};
    for (int i = 0; i < 4; ++i)
        settings.setNumber(QLatin1String(kMarginNames[i]), margins[i]);
    settings.setText(QStringLiteral("szHeader"), header);
    settings.setText(QStringLiteral("szTrailer"), footer);
}

QString PageSettings::limited(const QString& line)
{
    return line.left(kMaxLineLength);
}

QMarginsF PageSettings::marginsIn(qreal dotsPerInchX, qreal dotsPerInchY) const
{
    // Hundredths of a millimetre: 2540 of them make an inch.
    // A negative stored margin would place text beyond the paper; it counts as none.
    const auto x = [dotsPerInchX](int v) { return std::max(0, v) * dotsPerInchX / 2540.0; };
    const auto y = [dotsPerInchY](int v) { return std::max(0, v) * dotsPerInchY / 2540.0; };
    return QMarginsF(x(marginLeft), y(marginTop), x(marginRight), y(marginBottom));
}

QRectF PageSettings::printRect(const QRectF& page, const QMarginsF& margins)
{
    QRectF rect = page;
    if (margins.left() + margins.right() < page.width()) {
        rect.setLeft(page.left() + margins.left());
        rect.setRight(page.right() - margins.right());
    }
    if (margins.top() + margins.bottom() < page.height()) {
        rect.setTop(page.top() + margins.top());
        rect.setBottom(page.bottom() - margins.bottom());
    }
    return rect;
}

} // namespace quillet
