#pragma once

#include "editor/fbdatanumgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

// The chosen value of a value-list block, "name: value", in its bottom row.
class VLM_CORE_EXPORT FBDataListItemGraphics : public FBDataNumGraphics
{
public:
    enum { Type = UserType + 4 };

    using FBDataNumGraphics::FBDataNumGraphics;

    int type() const override { return Type; }

protected:
    void readText(FBModelItem* item) override;
};

} // namespace Velmora
