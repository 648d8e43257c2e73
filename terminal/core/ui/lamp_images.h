#pragma once

#include "terminal/core/view_roles.h"

#include <QPixmap>

#include <array>

namespace tarvex {

// The six lamp pictures, loaded once from the program's resources.
class LampImages
{
public:
    LampImages();
    const QPixmap& image(LampImage which) const { return m_images.at(std::size_t(which)); }
    static QString resourceName(LampImage which);

private:
    std::array<QPixmap, 6> m_images;
};

} // namespace tarvex
