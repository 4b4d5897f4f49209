#pragma once

#include "vlm_core_export.h"

#include <QColor>
#include <QLineF>
#include <QObject>
#include <QVector>

class QPainter;
class QRectF;

namespace Velmora {

// The scene's grid: lines at fixed scene spacings, denser levels shown only when zoomed in,
// in the grid colours of the current scene style.
class VLM_CORE_EXPORT SceneGrid : public QObject
{
    Q_OBJECT
public:
    // One set of parallel lines drawn with one pen.
    struct GridLevel
    {
        int spacing;
        qreal width;
        QColor colour;
    };

    explicit SceneGrid(QObject* parent = nullptr);

    int step() const { return m_step; }

    // The levels drawn at this zoom, in drawing order, coloured from the current style.
    QVector<GridLevel> levels(double zoom) const;
    // The vertical then the horizontal lines of one spacing that cover the rectangle, with
    // integer coordinates; none for a rectangle that is empty or beyond integer range.
    static QVector<QLineF> lines(const QRectF& rect, int spacing);

    void drawGrid(QPainter* painter, const QRectF& rect, double zoom) const;

signals:
    void onChangedStep();

private:
    int m_step = 5;
};

} // namespace Velmora
