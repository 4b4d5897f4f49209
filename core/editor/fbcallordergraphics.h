#pragma once

#include "editor/fbtitlegraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

// The call order number in the bottom row of an ordinary block.
class VLM_CORE_EXPORT FBCallOrderGraphics : public FBTitleGraphics
{
public:
    explicit FBCallOrderGraphics(FBAbstractBlockGraphics* block);

    void setModelItem(FBModelItem* item) override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QSizeF textSize(const QString& text) const override;
};

} // namespace Velmora
