#pragma once

#include "vlm_core_export.h"

#include <QColor>
#include <QGraphicsView>
#include <QPointF>

namespace Velmora {

class GraphicsScene;

// The view of one project's scene: zooms with the wheel, pans with the middle button or with
// Alt and the left button, and paints the background and grid of the current scene style.
class VLM_CORE_EXPORT Viewport : public QGraphicsView
{
    Q_OBJECT
public:
    explicit Viewport(GraphicsScene* scene, QWidget* parent = nullptr);

    // The stored zoom; at a limit the picture may still show the last scale inside it.
    double zoom() const { return m_zoom; }

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The colours a background is painted with; the cached background is stale when they
    // differ from the current style's.
    struct BackgroundColours
    {
        QColor background;
        QColor grid[4];

        bool operator==(const BackgroundColours& other) const;
        bool operator!=(const BackgroundColours& other) const { return !(*this == other); }
    };

    static BackgroundColours currentColours();
    static bool isPanning(const QMouseEvent* event);
    void setZoom(const double& zoom);
    void translateView(const QPointF& offset);

    GraphicsScene* m_scene = nullptr;
    double m_zoom = 1.0;
    double m_zoomStep = 0.15;
    QPointF m_pressPos;
    BackgroundColours m_cachedColours;
};

} // namespace Velmora
