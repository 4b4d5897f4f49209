#include "editor/stylegrid.h"

#include <QDomElement>

namespace Velmora {

bool StyleGrid::read(const QDomElement& styleElement)
{
    const QDomElement grid = section(styleElement, QStringLiteral("grid"));
    zoom1Color = readColor(grid, QStringLiteral("zoom_1_color"));
    zoom2Color = readColor(grid, QStringLiteral("zoom_2_color"));
    zoom3Color = readColor(grid, QStringLiteral("zoom_3_color"));
    zoom4Color = readColor(grid, QStringLiteral("zoom_4_color"));
    return true;
}

} // namespace Velmora
