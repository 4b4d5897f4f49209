#include "editor/scenegrid.h"

#include "editor/scenestyle.h"
#include "editor/stylecollection.h"

#include <QPainter>
#include <QPen>
#include <QRectF>

#include <cmath>

namespace Velmora {

namespace {

// Far beyond any scene, and still safe to truncate to int and to step through.
constexpr qreal coordinateLimit = 1.0e9;

bool isDrawable(const QRectF& rect)
{
    const qreal edges[] = { rect.left(), rect.top(), rect.right(), rect.bottom() };
    for (qreal edge : edges) {
        if (!std::isfinite(edge) || std::abs(edge) > coordinateLimit)
            return false;
    }
    return rect.width() > 0 && rect.height() > 0;
}

// The first line at or before `edge` when it is positive, at or after it when negative: the
// remainder keeps the sign of the truncated edge.
int firstLine(int edge, int spacing)
{
    return edge - edge % spacing;
}

} // namespace

SceneGrid::SceneGrid(QObject* parent)
    : QObject(parent)
{ }

QVector<SceneGrid::GridLevel> SceneGrid::levels(double zoom) const
{
    const StyleGrid& colours = StyleCollection::instance().paintStyle().grid();
    QVector<GridLevel> result;
    if (zoom > 2.0)
        result.append({ 5, 1.0, colours.zoom1Color });
    if (zoom > 0.8) {
        result.append({ 25, 2.0, colours.zoom2Color });
        result.append({ 100, 2.0, colours.zoom3Color });
    } else if (zoom > 0.5) {
        result.append({ 100, 2.0, colours.zoom2Color });
    }
    QColor widest = colours.zoom4Color;
    if (zoom < 1.0 && widest.isValid())
        widest.setAlpha(qBound(0, int(zoom * 255), 255));
    result.append({ 200, 2.0, widest });
    return result;
}

QVector<QLineF> SceneGrid::lines(const QRectF& rect, int spacing)
{
    QVector<QLineF> result;
    if (spacing <= 0 || !isDrawable(rect))
        return result;

    const int left = int(rect.left());
    const int top = int(rect.top());
    const int right = int(rect.right());
    const int bottom = int(rect.bottom());
    result.reserve(int(rect.width() / spacing) + int(rect.height() / spacing) + 4);
    for (int x = firstLine(left, spacing); x < rect.right(); x += spacing)
        result.append(QLineF(x, top, x, bottom));
    for (int y = firstLine(top, spacing); y < rect.bottom(); y += spacing)
        result.append(QLineF(left, y, right, y));
    return result;
}

void SceneGrid::drawGrid(QPainter* painter, const QRectF& rect, double zoom) const
{
    QPen pen;
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::RoundCap);
    const QVector<GridLevel> grid = levels(zoom);
    for (const GridLevel& level : grid) {
        // Without a style there are no grid colours, and nothing to draw.
        if (!level.colour.isValid())
            continue;
        const QVector<QLineF> levelLines = lines(rect, level.spacing);
        if (levelLines.isEmpty())
            continue;
        pen.setWidthF(level.width);
        pen.setColor(level.colour);
        painter->setPen(pen);
        painter->drawLines(levelLines);
    }
}

} // namespace Velmora
