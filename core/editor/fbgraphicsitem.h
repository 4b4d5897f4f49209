#pragma once

#include "vlm_core_export.h"

#include <QFont>
#include <QGraphicsItem>
#include <QGraphicsLayoutItem>

class QPainter;

namespace Velmora {

class FBAbstractBlockGraphics;
class FBModelItem;

// A picture of one model item inside a block, laid out by the block's layouts.
class VLM_CORE_EXPORT FBGraphicsItem : public QGraphicsItem, public QGraphicsLayoutItem
{
public:
    explicit FBGraphicsItem(FBAbstractBlockGraphics* block);

    FBAbstractBlockGraphics* blockGraphics() const { return m_block; }

    virtual void setModelItem(FBModelItem* item) = 0;
    virtual void updateModelItem(FBModelItem* item);
    // Drops the cached size hints here and in the layout that holds the item.
    virtual void updateLayout();

    // Below this level of detail a text is a few pixels high: blocks are drawn without their
    // texts, and lines without smoothing. The picture at and above it is the full one.
    static constexpr qreal kFineDetail = 0.4;
    static bool isFineDetail(const QPainter* painter);
    // At and below this level a port is a pixel or two and is not drawn: a block is its outline
    // and title plate, which the block draws itself, and its items are left out of the
    // scene's drawing altogether.
    static constexpr qreal kCoarseDetail = 0.2;
    static bool isCoarseDetail(const QTransform& toDevice);

    // Arial at a size, one font object shared by every item that uses it: thousands of items
    // with fonts of their own would each hold a copy and compare them by family name.
    static const QFont& sharedFont(int pointSize);

    QRectF boundingRect() const override;
    void setGeometry(const QRectF& rect) override;

protected:
    FBAbstractBlockGraphics* m_block = nullptr;
};

} // namespace Velmora
