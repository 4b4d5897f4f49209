#pragma once

#include "editor/fbportgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

// An input: the circle on the block's left edge, the label "Name (type)" to its right.
class VLM_CORE_EXPORT FBInputPortGraphics : public FBPortGraphics
{
public:
    explicit FBInputPortGraphics(FBAbstractBlockGraphics* block);

    int type() const override { return InputType; }
    void setGeometry(const QRectF& rect) override;

protected:
    void calcGeometry() override;
    void makeLabel() override;
};

} // namespace Velmora
