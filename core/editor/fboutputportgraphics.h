#pragma once

#include "editor/fbportgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

// An output: the label "(type) Name", then the circle on the block's right edge.
class VLM_CORE_EXPORT FBOutputPortGraphics : public FBPortGraphics
{
public:
    explicit FBOutputPortGraphics(FBAbstractBlockGraphics* block);

    int type() const override { return OutputType; }
    void setGeometry(const QRectF& rect) override;

protected:
    void calcGeometry() override;
    void makeLabel() override;
};

} // namespace Velmora
