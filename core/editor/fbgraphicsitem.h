#pragma once

#include "vlm_core_export.h"

#include <QGraphicsItem>
#include <QGraphicsLayoutItem>

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

    QRectF boundingRect() const override;
    void setGeometry(const QRectF& rect) override;

protected:
    FBAbstractBlockGraphics* m_block = nullptr;
};

} // namespace Velmora
