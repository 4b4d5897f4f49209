#pragma once

#include "editor/fbtitlegraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

// The value of a constant block, "name: value", in its bottom row.
class VLM_CORE_EXPORT FBDataNumGraphics : public FBTitleGraphics
{
public:
    explicit FBDataNumGraphics(FBAbstractBlockGraphics* block);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void readText(FBModelItem* item) override;
};

} // namespace Velmora
