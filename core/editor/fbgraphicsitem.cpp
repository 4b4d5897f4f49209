#include "editor/fbgraphicsitem.h"

#include "editor/fbabstractblockgraphics.h"

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
