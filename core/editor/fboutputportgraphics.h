#pragma once

#include "editor/fbportgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

class LiveValueGraphics;

// An output: the label "(type) Name", then the circle on the block's right edge.
class VLM_CORE_EXPORT FBOutputPortGraphics : public FBPortGraphics
{
public:
    explicit FBOutputPortGraphics(FBAbstractBlockGraphics* block);

    int type() const override { return OutputType; }
    void setGeometry(const QRectF& rect) override;

    // While simulating: the value written beside the circle, framed when forced.
    void setLiveValue(const QString& text, bool forced);
    void clearLiveValue();
    // Null when no value is shown.
    LiveValueGraphics* liveValueItem() const { return m_liveValue; }

protected:
    void calcGeometry() override;
    void makeLabel() override;

private:
    QPointF liveValueAnchor() const;

    LiveValueGraphics* m_liveValue = nullptr;
};

} // namespace Velmora
