#include "editor/fbgraphicsitem.h"

#include "editor/fbabstractblockgraphics.h"

#include <QHash>
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

const QFont& FBGraphicsItem::sharedFont(int pointSize)
{
    // Items are made on the GUI thread only.
    static QHash<int, QFont> fonts;
    auto it = fonts.find(pointSize);
    if (it == fonts.end())
        it = fonts.insert(pointSize, QFont(QStringLiteral("Arial"), pointSize));
    return it.value();
}

bool FBGraphicsItem::isCoarseDetail(const QTransform& toDevice)
{
    // As for the fine level: one zoom reached by different transforms must give one answer.
    return QStyleOptionGraphicsItem::levelOfDetailFromTransform(toDevice) <= kCoarseDetail + 1e-9;
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
