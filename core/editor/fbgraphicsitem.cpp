#include "editor/fbgraphicsitem.h"

#include "editor/fbabstractblockgraphics.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace Velmora {

FBGraphicsItem::FBGraphicsItem(FBAbstractBlockGraphics* block)
    : QGraphicsItem(block)
    , m_block(block)
{
    setGraphicsItem(this);
}

void FBGraphicsItem::updateModelItem(FBModelItem* item)
{
    setModelItem(item);
    update();
}

void FBGraphicsItem::updateLayout()
{
    updateGeometry();
    if (QGraphicsLayoutItem* layout = parentLayoutItem())
        layout->updateGeometry();
}

bool FBGraphicsItem::isFineDetail(const QPainter* painter)
{
    // The level is a square root: a zoom of exactly 0.4 may come out a rounding below it.
    return QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter->worldTransform()) >= kFineDetail - 1e-9;
}

bool FBGraphicsItem::isCoarseDetail(const QTransform& toDevice)
{
    return QStyleOptionGraphicsItem::levelOfDetailFromTransform(toDevice) <= kCoarseDetail;
}

QRectF FBGraphicsItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), geometry().size());
}

void FBGraphicsItem::setGeometry(const QRectF& rect)
{
    prepareGeometryChange();
    QGraphicsLayoutItem::setGeometry(rect);
}

} // namespace Velmora
