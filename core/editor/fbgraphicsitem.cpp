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

void FBGraphicsItem::drawPlate(QPainter* painter, const QRectF& rect, const QPen& pen, const QBrush& brush)
{
    painter->setBrush(brush);
    if (isFineDetail(painter)) {
        painter->setPen(pen);
        painter->drawRoundedRect(rect, 3.0, 3.0, Qt::AbsoluteSize);
        return;
    }
    const bool smooth = painter->testRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(pen.color(), 0.0));
    painter->drawRect(rect);
    painter->setRenderHint(QPainter::Antialiasing, smooth);
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
