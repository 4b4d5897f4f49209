#include "editor/viewport.h"

#include "editor/graphicsscene.h"
#include "editor/scenegrid.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>

namespace Velmora {

namespace {

constexpr double minZoom = 0.1;
constexpr double maxZoom = 3.0;
constexpr qreal backgroundMargin = 5.0;

// What a painter can reach on its device, in its own coordinates: the background beyond it
// is never seen. The view hands over the whole invalidated scene rectangle when the style
// changes, which for a project's scene is 100000 units wide.
QRectF deviceArea(const QPainter* painter)
{
    const QPaintDevice* device = painter->device();
    if (!device)
        return QRectF();
    bool invertible = false;
    const QTransform toLogical = painter->deviceTransform().inverted(&invertible);
    if (!invertible)
        return QRectF();
    return toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
}

} // namespace

bool Viewport::BackgroundColours::operator==(const BackgroundColours& other) const
{
    return background == other.background && std::equal(std::begin(grid), std::end(grid), std::begin(other.grid));
}

Viewport::Viewport(GraphicsScene* scene, QWidget* parent)
    : QGraphicsView(parent)
    , m_scene(scene)
{
    setScene(scene);
    setMouseTracking(true);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(QGraphicsView::RubberBandDrag);
    setOptimizationFlag(QGraphicsView::DontSavePainterState);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCacheMode(QGraphicsView::CacheBackground);
    m_cachedColours = currentColours();
    setZoom(1.0);
}

Viewport::BackgroundColours Viewport::currentColours()
{
    const SceneStyle& style = StyleCollection::instance().paintStyle();
    const StyleGrid& grid = style.grid();
    return { style.scene().backgroundColor, { grid.zoom1Color, grid.zoom2Color, grid.zoom3Color, grid.zoom4Color } };
}

void Viewport::setZoom(const double& zoom)
{
    m_zoom = qBound(minZoom, zoom, maxZoom);
    // The grid follows the stored zoom even where the picture keeps its scale, so the cached
    // background is redrawn in full rather than in strips of two zooms.
    resetCachedContent();
    if (m_zoom <= minZoom || m_zoom >= maxZoom)
        return;
    resetTransform();
    scale(m_zoom, m_zoom);
    viewport()->update();
}

void Viewport::translateView(const QPointF& offset)
{
    // The exact centre: the integer centre of an even-sized viewport is half a pixel off.
    const QPointF centre = viewportTransform().inverted().map(QRectF(viewport()->rect()).center());
    centerOn(centre + offset);
}

void Viewport::drawBackground(QPainter* painter, const QRectF& rect)
{
    const QColor background = StyleCollection::instance().paintStyle().scene().backgroundColor;
    if (!background.isValid()) {
        QGraphicsView::drawBackground(painter, rect);
        return;
    }
    QRectF area = rect.adjusted(-backgroundMargin, -backgroundMargin, backgroundMargin, backgroundMargin);
    const QRectF reachable = deviceArea(painter);
    if (reachable.isValid())
        area &= reachable.adjusted(-backgroundMargin, -backgroundMargin, backgroundMargin, backgroundMargin);
    painter->fillRect(area, background);
    if (m_scene && m_scene->getGrid())
        m_scene->getGrid()->drawGrid(painter, area, m_zoom);
}

void Viewport::drawForeground(QPainter* painter, const QRectF& rect)
{
    Q_UNUSED(painter)
    Q_UNUSED(rect)
}

void Viewport::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const int dy = event->angleDelta().y();
    // A purely horizontal wheel or a touchpad phase event carries no vertical step.
    if (dy == 0)
        return;
    setZoom(m_zoom + m_zoom * m_zoomStep * (dy < 1 ? -1.0 : 1.0));
}

bool Viewport::isPanning(const QMouseEvent* event)
{
    const Qt::MouseButtons buttons = event->buttons();
    return (buttons & Qt::MiddleButton) || ((buttons & Qt::LeftButton) && (event->modifiers() & Qt::AltModifier));
}

void Viewport::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = mapToScene(event->pos());
    if (isPanning(event)) {
        event->accept();
        return;
    }
    QGraphicsView::mousePressEvent(event);
}

void Viewport::mouseMoveEvent(QMouseEvent* event)
{
    if (isPanning(event))
        translateView(m_pressPos - mapToScene(event->pos()));
    QGraphicsView::mouseMoveEvent(event);
}

void Viewport::mouseReleaseEvent(QMouseEvent* event)
{
    QGraphicsView::mouseReleaseEvent(event);
}

void Viewport::paintEvent(QPaintEvent* event)
{
    // A style change reaches the cache only through the scene's invalidation, which covers
    // the scene rectangle of registered scenes alone; whatever else the cache holds would keep
    // the old colours. Every paint after a change redraws it all, so it holds these colours.
    const BackgroundColours colours = currentColours();
    if ((cacheMode() & QGraphicsView::CacheBackground) && colours != m_cachedColours)
        resetCachedContent();
    m_cachedColours = colours;
    if (m_scene)
        m_scene->setDetailFor(viewportTransform());
    QGraphicsView::paintEvent(event);
}

void Viewport::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
}

} // namespace Velmora
